// The background tiler: tiles from 0,0 over the whole window, under the window's own painting,
// and repaints when its picture or switch changes.
#include "lbback.h"

#include <QImage>
#include <QPainter>
#include <QTest>

namespace {

// A tile whose every pixel tells where in the tile it lies.
QImage patternTile(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x * 3 % 256, y * 5 % 256, 77));
    return image;
}

const QColor kWindowColour(0, 0, 128);
const QColor kOwnPaint(255, 0, 0);

// A window with a paint handler of its own: a red square at 10,10.
class PaintingWindow : public QWidget {
public:
    int paints = 0;
    PaintingWindow() {
        setAutoFillBackground(true);
        QPalette palette = this->palette();
        palette.setColor(QPalette::Window, kWindowColour);
        setPalette(palette);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        ++paints;
        QPainter(this).fillRect(10, 10, 5, 5, kOwnPaint);
    }
};

} // namespace

class TstLbBackground : public QObject {
    Q_OBJECT

private slots:
    void tilesStartAtTheOriginAndReachTheFarCorner_data() {
        QTest::addColumn<qreal>("dpr");
        QTest::newRow("ratio 1") << 1.0;
        QTest::newRow("ratio 2 tiles by logical size") << 2.0;
    }
    void tilesStartAtTheOriginAndReachTheFarCorner() {
        QFETCH(qreal, dpr);
        const int tw = 64;
        const int th = 48;
        QImage tileImage = patternTile(int(tw * dpr), int(th * dpr));
        tileImage.setDevicePixelRatio(dpr);
        QWidget window;
        window.resize(400, 300);
        auto* tiler = new TLbBackground(&window);
        tiler->setPicture(QPixmap::fromImage(tileImage));

        const QImage shot = window.grab().toImage();
        const QImage reference = patternTile(tw, th);
        const QPoint points[] = {{0, 0}, {63, 47}, {64, 48}, {200, 150}, {399, 299}, {130, 0}};
        for (const QPoint& p : points) {
            if (dpr == 1.0) {
                QCOMPARE(shot.pixel(p), reference.pixel(p.x() % tw, p.y() % th));
            } else {
                // A tile of twice the pixels still repeats every 64 x 48 window pixels.
                QCOMPARE(shot.pixel(p), shot.pixel(p.x() % tw, p.y() % th));
            }
        }
        QVERIFY(shot.pixel(0, 0) != shot.pixel(32, 24));
    }

    void windowPaintsOverTheTiles() {
        PaintingWindow window;
        window.resize(100, 100);
        auto* tiler = new TLbBackground(&window);
        tiler->setPicture(QPixmap::fromImage(patternTile(32, 32)));
        const QImage shot = window.grab().toImage();
        QCOMPARE(shot.pixelColor(12, 12), kOwnPaint);
        QCOMPARE(shot.pixel(50, 50), patternTile(32, 32).pixel(50 % 32, 50 % 32));
    }

    void switchedOffOrEmptyTilerLeavesTheWindowColour() {
        PaintingWindow window;
        window.resize(100, 100);
        auto* tiler = new TLbBackground(&window);
        QCOMPARE(window.grab().toImage().pixelColor(50, 50), kWindowColour);
        tiler->setPicture(QPixmap::fromImage(patternTile(32, 32)));
        QVERIFY(window.grab().toImage().pixelColor(50, 50) != kWindowColour);
        tiler->setEnabled(false);
        QCOMPARE(window.grab().toImage().pixelColor(50, 50), kWindowColour);
        tiler->setEnabled(true);
        tiler->setPicture(QPixmap());
        QCOMPARE(window.grab().toImage().pixelColor(50, 50), kWindowColour);
    }

    void changesRepaintTheWindow_data() {
        QTest::addColumn<int>("which");
        QTest::newRow("new picture") << 0;
        QTest::newRow("switched off") << 1;
    }
    void changesRepaintTheWindow() {
        QFETCH(int, which);
        PaintingWindow window;
        window.resize(100, 100);
        auto* tiler = new TLbBackground(&window);
        tiler->setPicture(QPixmap::fromImage(patternTile(32, 32)));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::qWait(20);
        window.paints = 0;
        if (which == 0)
            tiler->setPicture(QPixmap::fromImage(patternTile(16, 16)));
        else
            tiler->setEnabled(false);
        QTRY_VERIFY(window.paints > 0);
    }
};

QTEST_MAIN(TstLbBackground)
#include "tst_lbback.moc"
