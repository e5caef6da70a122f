// The image button: acts on a real click or, when focused, on Space and Enter; draws its picture
// only when first painted, afresh at a new scale; and sinks by a pixel while pressed.
#include "imagebutton.h"

#include <QImage>
#include <QSignalSpy>
#include <QTest>

namespace {

// A 20 x 10 picture: red with a white top-left pixel, so a shift is visible.
QPixmap marked(qreal dpr) {
    QImage image(int(20 * dpr), int(10 * dpr), QImage::Format_RGB32);
    image.fill(Qt::red);
    image.setPixel(0, 0, qRgb(255, 255, 255));
    image.setDevicePixelRatio(dpr);
    return QPixmap::fromImage(image);
}

} // namespace

class TstImageButton : public QObject {
    Q_OBJECT

private slots:
    void clickInsideActsOnceAndPressOutsideNot() {
        ImageButton button;
        button.resize(126, 40);
        button.setPicture(marked(1));
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        QSignalSpy clicked(&button, &QAbstractButton::clicked);

        QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(60, 20));
        QCOMPARE(clicked.count(), 1);
        // Pressed inside, released outside: no action, like any button.
        QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(60, 20));
        QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(200, 20));
        QCOMPARE(clicked.count(), 1);
        QVERIFY2(!button.hasFocus(), "a picture never takes the keyboard focus");
    }

    void pictureIsDrawnOnlyWhenFirstNeeded() {
        int calls = 0;
        ImageButton button;
        button.resize(20, 10);
        button.setPictureSource([&calls](qreal dpr) {
            ++calls;
            return marked(dpr);
        });
        QCOMPARE(calls, 0);
        QVERIFY(button.hasPicture());
        const QImage first = button.grab().toImage();
        QCOMPARE(calls, 1);
        button.grab();
        button.update();
        QCOMPARE(calls, 1);
        QCOMPARE(first.pixelColor(5, 5), QColor(Qt::red));

        button.clearPicture();
        QVERIFY(!button.hasPicture());
        QVERIFY(button.picture().isNull());
    }

    void pressedPictureSinksByOnePixel_data() {
        QTest::addColumn<bool>("feedback");
        QTest::newRow("button") << true;
        QTest::newRow("card") << false;
    }
    void pressedPictureSinksByOnePixel() {
        QFETCH(bool, feedback);
        QWidget parent;
        parent.resize(40, 40);
        auto* button = new ImageButton(&parent);
        button->resize(20, 10);
        button->setPicture(marked(1));
        button->setPressedFeedback(feedback);
        QCOMPARE(button->grab().toImage().pixelColor(0, 0), QColor(Qt::white));

        button->setDown(true);
        const QImage down = button->grab().toImage();
        if (feedback) {
            QCOMPARE(down.pixelColor(1, 1), QColor(Qt::white));
            QVERIFY(down.pixelColor(0, 0) != QColor(Qt::white));
        } else {
            QCOMPARE(down.pixelColor(0, 0), QColor(Qt::white));
        }
        button->setDown(false);
        QCOMPARE(button->grab().toImage().pixelColor(0, 0), QColor(Qt::white));
    }

    // A button given the keyboard focus is pressed by Space and by Enter, and shows a frame
    // only once the focus has been moved by the keyboard.
    void focusedButtonTakesSpaceAndEnter() {
        QWidget window;
        auto* button = new ImageButton(&window);
        button->setGeometry(0, 0, 20, 10);
        button->setPicture(marked(1));
        button->setFocusPolicy(Qt::TabFocus);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        button->setFocus();
        QSignalSpy clicked(button, &QAbstractButton::clicked);
        QTest::keyClick(button, Qt::Key_Space);
        QTest::keyClick(button, Qt::Key_Return);
        QTest::keyClick(button, Qt::Key_Enter, Qt::KeypadModifier);
        QTest::keyClick(button, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(clicked.count(), 3);

        QCOMPARE(button->grab().toImage().pixelColor(1, 1), QColor(Qt::red));
        window.setAttribute(Qt::WA_KeyboardFocusChange);
        QVERIFY(button->grab().toImage().pixelColor(1, 1) != QColor(Qt::red));
    }

    // A scaled button draws its picture afresh at the larger size, not stretched.
    void scaleDrawsThePictureAtTheLargerSize() {
        QList<qreal> asked;
        ImageButton button;
        button.resize(30, 15);
        button.setPictureSource([&asked](qreal dpr) {
            asked << dpr;
            return marked(dpr);
        });
        button.setScale(1.5);
        const QPixmap picture = button.picture();
        QCOMPARE(asked, QList<qreal>{1.5});
        QCOMPARE(picture.size(), QSize(30, 15));
        QCOMPARE(picture.deviceIndependentSize().toSize(), QSize(30, 15));
        button.setScale(1.0);
        QCOMPARE(button.picture().deviceIndependentSize().toSize(), QSize(20, 10));
        QCOMPARE(asked, (QList<qreal>{1.5, 1.0}));
    }
};

QTEST_MAIN(TstImageButton)
#include "tst_imagebutton.moc"
