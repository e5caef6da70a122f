// The flat panel: frame colours and corners, transparency, caption placement and repainting.
#include "flatpanel.h"

#include <QEvent>
#include <QImage>
#include <QTest>

namespace {

const QColor kFill(0, 160, 0);
const QColor kHigh(255, 0, 0);
const QColor kShadow(0, 0, 255);
const QColor kParent(255, 255, 0);

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

// The horizontal extent of every pixel that is not the fill colour, inside the frame.
QPair<int, int> inkColumns(const QImage& image, const QColor& fill) {
    int first = -1;
    int last = -1;
    for (int x = 1; x < image.width() - 1; ++x) {
        for (int y = 1; y < image.height() - 1; ++y) {
            if (image.pixelColor(x, y) != fill) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
        }
    }
    return {first, last};
}

QPair<int, int> inkRows(const QImage& image, const QColor& fill) {
    int first = -1;
    int last = -1;
    for (int y = 1; y < image.height() - 1; ++y) {
        for (int x = 1; x < image.width() - 1; ++x) {
            if (image.pixelColor(x, y) != fill) {
                if (first < 0)
                    first = y;
                last = y;
                break;
            }
        }
    }
    return {first, last};
}

QSet<QRgb> colours(const QImage& image) {
    QSet<QRgb> set;
    for (int y = 1; y < image.height() - 1; ++y)
        for (int x = 1; x < image.width() - 1; ++x)
            set.insert(image.pixel(x, y));
    return set;
}

} // namespace

class TstFlatPanel : public QObject {
    Q_OBJECT

private:
    TFlatPanel* makePanel(QWidget* parent, int w, int h) {
        auto* panel = new TFlatPanel(parent);
        panel->resize(w, h);
        panel->setColor(kFill);
        panel->setColorHighLight(kHigh);
        panel->setColorShadow(kShadow);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(13);
        font.setBold(true);
        panel->setFont(font);
        return panel;
    }

private slots:
    void frameHasHighlightTopLeftAndShadowBottomRight_data() {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("top-left corner") << 0 << 0 << kHigh;
        QTest::newRow("top edge") << 20 << 0 << kHigh;
        QTest::newRow("left edge") << 0 << 15 << kHigh;
        QTest::newRow("top-right corner") << 49 << 0 << kShadow;
        QTest::newRow("right edge") << 49 << 15 << kShadow;
        QTest::newRow("bottom edge") << 20 << 29 << kShadow;
        QTest::newRow("bottom-left corner") << 0 << 29 << kShadow;
        QTest::newRow("bottom-right corner") << 49 << 29 << kShadow;
        QTest::newRow("inside next to the frame") << 1 << 1 << kFill;
        QTest::newRow("inside at the far side") << 48 << 28 << kFill;
    }
    void frameHasHighlightTopLeftAndShadowBottomRight() {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(QColor, expected);
        std::unique_ptr<TFlatPanel> panel(makePanel(nullptr, 50, 30));
        const QImage image = panel->grab().toImage();
        QCOMPARE(image.pixelColor(x, y), expected);
    }

    void transparentPanelShowsItsParent() {
        QWidget parent;
        parent.resize(100, 60);
        parent.setAutoFillBackground(true);
        QPalette palette = parent.palette();
        palette.setColor(QPalette::Window, kParent);
        parent.setPalette(palette);
        TFlatPanel* panel = makePanel(&parent, 50, 30);
        panel->move(10, 10);

        QCOMPARE(parent.grab().toImage().pixelColor(30, 20), kFill);
        panel->setTransparent(true);
        const QImage image = parent.grab().toImage();
        QCOMPARE(image.pixelColor(30, 20), kParent);
        // The frame is still drawn over the parent.
        QCOMPARE(image.pixelColor(10, 10), kHigh);
        QCOMPARE(image.pixelColor(59, 39), kShadow);
    }

    void captionIsAlignedAndVerticallyCentred_data() {
        QTest::addColumn<int>("alignment");
        QTest::newRow("left") << int(Qt::AlignLeft);
        QTest::newRow("centre") << int(Qt::AlignHCenter);
        QTest::newRow("right") << int(Qt::AlignRight);
    }
    void captionIsAlignedAndVerticallyCentred() {
        QFETCH(int, alignment);
        std::unique_ptr<TFlatPanel> panel(makePanel(nullptr, 300, 40));
        panel->setFontColor(Qt::white);
        panel->setCaption(QStringLiteral("Posting Score"));
        panel->setAlignment(Qt::Alignment(alignment));
        const QImage image = panel->grab().toImage();

        const auto [left, right] = inkColumns(image, kFill);
        QVERIFY2(left > 0, "the caption is drawn");
        const int leftGap = left - 1;
        const int rightGap = 298 - right;
        if (alignment == Qt::AlignLeft) {
            QVERIFY(leftGap <= 3);
            QVERIFY(rightGap > 100);
        } else if (alignment == Qt::AlignRight) {
            QVERIFY(rightGap <= 3);
            QVERIFY(leftGap > 100);
        } else {
            QVERIFY2(qAbs(leftGap - rightGap) <= 3,
                     qPrintable(QString("gaps %1 and %2").arg(leftGap).arg(rightGap)));
        }
        const auto [top, bottom] = inkRows(image, kFill);
        QVERIFY2(qAbs((top + bottom) / 2 - 20) <= 3,
                 qPrintable(QString("caption rows %1..%2").arg(top).arg(bottom)));
    }

    void captionStaysOnOneLine() {
        std::unique_ptr<TFlatPanel> panel(makePanel(nullptr, 60, 60));
        panel->setFontColor(Qt::white);
        panel->setCaption(QStringLiteral("Posting Score, Please Wait......"));
        const auto [top, bottom] = inkRows(panel->grab().toImage(), kFill);
        QVERIFY2(bottom - top < 20, "a long caption is cut, not wrapped");
    }

    void disabledCaptionIsEmbossed() {
        std::unique_ptr<TFlatPanel> panel(makePanel(nullptr, 200, 40));
        panel->setFontColor(Qt::white);
        panel->setCaption(QStringLiteral("DONE"));
        QSet<QRgb> enabled = colours(panel->grab().toImage());
        QVERIFY(enabled.contains(QColor(Qt::white).rgb()));

        panel->setEnabled(false);
        const QSet<QRgb> disabled = colours(panel->grab().toImage());
        const QColor light = panel->palette().color(QPalette::Light);
        const QColor dark = panel->palette().color(QPalette::Dark);
        QVERIFY2(disabled.contains(light.rgb()), "highlight copy");
        QVERIFY2(disabled.contains(dark.rgb()), "shadow copy");
        QVERIFY2(!disabled.contains(QColor(Qt::white).rgb()) || light == Qt::white,
                 "the font colour is not used while disabled");
    }

    void propertyChangesRepaint_data() {
        QTest::addColumn<int>("which");
        QTest::newRow("caption") << 0;
        QTest::newRow("enabled") << 1;
        QTest::newRow("highlight colour") << 2;
        QTest::newRow("shadow colour") << 3;
        QTest::newRow("transparent") << 4;
        QTest::newRow("alignment") << 5;
    }
    void propertyChangesRepaint() {
        QFETCH(int, which);
        std::unique_ptr<TFlatPanel> panel(makePanel(nullptr, 100, 40));
        panel->setCaption(QStringLiteral("A"));
        panel->show();
        QVERIFY(QTest::qWaitForWindowExposed(panel.get()));
        PaintCounter counter;
        panel->installEventFilter(&counter);
        QTest::qWait(20);
        counter.count = 0;

        switch (which) {
        case 0:
            panel->setCaption(QStringLiteral("B"));
            break;
        case 1:
            panel->setEnabled(false);
            break;
        case 2:
            panel->setColorHighLight(Qt::green);
            break;
        case 3:
            panel->setColorShadow(Qt::green);
            break;
        case 4:
            panel->setTransparent(true);
            break;
        case 5:
            panel->setAlignment(Qt::AlignLeft);
            break;
        }
        QTRY_VERIFY(counter.count > 0);
    }
};

QTEST_MAIN(TstFlatPanel)
#include "tst_flatpanel.moc"
