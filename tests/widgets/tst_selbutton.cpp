// The flat text button: its drawing in every state, its caption placement and its clicks.
#include "buttoncomps.h"

#include <QEnterEvent>
#include <QSignalSpy>
#include <QtTest>

#include <functional>

namespace {

const QColor kFace(0, 0, 170);
const QColor kOver(200, 0, 0);
const QColor kDown(0, 150, 0);
const QColor kBorder(Qt::white);
const QColor kCaption(192, 192, 192);
const QColor kOverCaption(255, 255, 0);

QImage picture(TSelButton& button) {
    return button.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

bool hasColour(const QImage& image, const QRect& area, const QColor& colour) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) == colour)
                return true;
    return false;
}

// The caption's ink: every pixel inside the border that is not the face.
QRect captionBox(const QImage& image, int border) {
    const QColor face = image.pixelColor(image.width() - 1 - border, border);
    QRect box;
    for (int y = border; y < image.height() - border; ++y)
        for (int x = border; x < image.width() - border; ++x)
            if (image.pixelColor(x, y) != face)
                box |= QRect(x, y, 1, 1);
    return box;
}

void sendEnter(QWidget& widget) {
    const QPointF inside(widget.width() / 2.0, widget.height() / 2.0);
    QEnterEvent enter(inside, widget.mapToGlobal(inside), widget.mapToGlobal(inside));
    QCoreApplication::sendEvent(&widget, &enter);
}

void sendLeave(QWidget& widget) {
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&widget, &leave);
}

} // namespace

class TestSelButton : public QObject {
    Q_OBJECT

private:
    QWidget m_host;
    TSelButton* m_button = nullptr;

    void styleAsOnTheHelpWindow(TSelButton& button) {
        button.resize(122, 20);
        button.setColor(kFace);
        button.setColorOver(kOver);
        button.setColorDown(kDown);
        button.setColorBorder(kBorder);
        button.setFontColor(kCaption);
        button.setColorOverCaption(kOverCaption);
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(13);
        font.setBold(true);
        button.setFont(font);
    }

private slots:
    void init() {
        m_host.resize(300, 100);
        m_button = new TSelButton(QStringLiteral("SelButton1"), &m_host);
        m_button->move(10, 10);
        styleAsOnTheHelpWindow(*m_button);
        m_button->setCaption(QStringLiteral("Overview"));
        m_host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_host));
    }

    void cleanup() {
        delete m_button;
        m_button = nullptr;
    }

    void aNewButtonHasItsDefaultSizeCaptionAndColours() {
        QWidget parent;
        TSelButton button(QStringLiteral("SelButton7"), &parent);
        QCOMPARE(button.size(), QSize(105, 20));
        QCOMPARE(button.caption(), QStringLiteral("SelButton7"));
        QCOMPARE(button.color(), parent.palette().color(QPalette::Button));
        QCOMPARE(button.colorOver(), QColor(132, 185, 164));
        QCOMPARE(button.colorDown(), QColor(132, 185, 164));
        QCOMPARE(button.colorOverCaption(), QColor(Qt::black));
        QCOMPARE(button.colorBorder(), QColor(128, 128, 128));
        QCOMPARE(button.fontColor(), QColor(128, 128, 128));
        QCOMPARE(button.borderWidth(), 1);
        QCOMPARE(button.alignment(), Qt::Alignment(Qt::AlignLeft));
        QCOMPARE(button.font().pointSize(), 8);
        QCOMPARE(button.font().family(), QStringLiteral("Arial"));
        QVERIFY(button.isEnabled());
        // Reached by Tab, not taken by a click.
        QCOMPARE(button.focusPolicy(), Qt::TabFocus);
    }

    void theCaptionFollowsTheNameUntilSet() {
        TSelButton button;
        button.setObjectName(QStringLiteral("first"));
        QCOMPARE(button.caption(), QStringLiteral("first"));
        button.setObjectName(QStringLiteral("renamed"));
        QCOMPARE(button.caption(), QStringLiteral("renamed"));
        button.setCaption(QString());
        QCOMPARE(button.caption(), QString());
        button.setCaption(QStringLiteral("Go"));
        button.setObjectName(QStringLiteral("again"));
        QCOMPARE(button.caption(), QStringLiteral("Go"));
    }

    void theDrawingFollowsThePointerAndTheButton() {
        TSelButton& b = *m_button;
        QSignalSpy clicks(&b, &TSelButton::clicked);
        const QPoint inside(60, 10);
        // While held, the button gets the mouse wherever it goes (Qt's implicit grab).
        const QPoint outside(200, 60);
        const QRect interior = b.rect().adjusted(1, 1, -2, -2);
        struct Step {
            const char* what;
            std::function<void()> act;
            TSelButton::Look look;
            QColor face;
            QColor caption;
            int clicks;
        };
        const Step steps[] = {
            {"at rest", [] {}, TSelButton::Look::Normal, kFace, kCaption, 0},
            {"pointer enters", [&] { sendEnter(b); }, TSelButton::Look::Over, kOver, kOverCaption,
             0},
            {"button pressed", [&] { QTest::mousePress(&b, Qt::LeftButton, {}, inside); },
             TSelButton::Look::Down, kDown, kOverCaption, 0},
            {"dragged off", [&] { QTest::mouseMove(&b, outside); }, TSelButton::Look::Normal, kFace,
             kCaption, 0},
            {"dragged back", [&] { QTest::mouseMove(&b, inside); }, TSelButton::Look::Down, kDown,
             kOverCaption, 0},
            {"released over it", [&] { QTest::mouseRelease(&b, Qt::LeftButton, {}, inside); },
             TSelButton::Look::Over, kOver, kOverCaption, 1},
            {"pointer leaves", [&] { sendLeave(b); }, TSelButton::Look::Normal, kFace, kCaption, 1},
            {"pressed again", [&] { QTest::mousePress(&b, Qt::LeftButton, {}, inside); },
             TSelButton::Look::Down, kDown, kOverCaption, 1},
            {"released elsewhere",
             [&] {
                 QTest::mouseMove(&b, outside);
                 QTest::mouseRelease(&b, Qt::LeftButton, {}, outside);
             },
             TSelButton::Look::Normal, kFace, kCaption, 1},
        };
        for (const Step& step : steps) {
            step.act();
            const QImage image = picture(b);
            QVERIFY2(b.look() == step.look, step.what);
            QVERIFY2(image.pixelColor(b.width() - 2, 1) == step.face, step.what);
            QVERIFY2(hasColour(image, interior, step.caption), step.what);
            QVERIFY2(image.pixelColor(0, 0) == kBorder, step.what);
            QVERIFY2(image.pixelColor(b.width() - 1, b.height() - 1) == kBorder, step.what);
            QVERIFY2(clicks.count() == step.clicks, step.what);
        }
    }

    void theCaptionIsPlacedByAlignment_data() {
        QTest::addColumn<int>("alignment");
        QTest::addColumn<int>("pressedShift");
        QTest::newRow("left") << int(Qt::AlignLeft) << 1;
        QTest::newRow("centre") << int(Qt::AlignHCenter) << 1;
        QTest::newRow("right") << int(Qt::AlignRight) << -1;
    }

    void theCaptionIsPlacedByAlignment() {
        QFETCH(int, alignment);
        QFETCH(int, pressedShift);
        TSelButton& b = *m_button;
        b.setAlignment(Qt::Alignment(alignment));
        const QRect normal = captionBox(picture(b), 1);
        QVERIFY(!normal.isEmpty());
        // Glyphs carry a pixel or two of side bearing, so the ink starts near the pen position.
        const int textWidth = QFontMetrics(b.font()).horizontalAdvance(b.caption());
        if (alignment == Qt::AlignLeft) {
            QVERIFY2(normal.left() >= 5 && normal.left() <= 7,
                     qPrintable(QString::number(normal.left())));
        } else if (alignment == Qt::AlignHCenter) {
            QVERIFY(qAbs(normal.center().x() - b.width() / 2) <= 2);
        } else {
            const int penEnd = b.width() - 6;
            QVERIFY2(normal.right() < penEnd && normal.right() >= penEnd - 3,
                     qPrintable(QString::number(normal.right())));
        }
        QVERIFY(normal.width() <= textWidth + 2);
        QVERIFY(qAbs(normal.center().y() - b.height() / 2) <= 2);

        QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(60, 10));
        const QRect pressed = captionBox(picture(b), 1);
        QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(60, 10));
        QCOMPARE(pressed, normal.translated(pressedShift, 1));
    }

    void theBorderIsDrawnInwardsFromTheEdge_data() {
        QTest::addColumn<int>("width");
        QTest::newRow("none") << 0;
        QTest::newRow("one") << 1;
        QTest::newRow("three") << 3;
    }

    void theBorderIsDrawnInwardsFromTheEdge() {
        QFETCH(int, width);
        TSelButton& b = *m_button;
        b.setCaption(QString());
        b.setBorderWidth(width);
        const QImage image = picture(b);
        const int midX = b.width() / 2;
        const int midY = b.height() / 2;
        for (int i = 0; i < width; ++i) {
            QCOMPARE(image.pixelColor(i, midY), kBorder);
            QCOMPARE(image.pixelColor(b.width() - 1 - i, midY), kBorder);
            QCOMPARE(image.pixelColor(midX, i), kBorder);
            QCOMPARE(image.pixelColor(midX, b.height() - 1 - i), kBorder);
        }
        QCOMPARE(image.pixelColor(qMax(width, 1), midY), kFace);
        QCOMPARE(image.pixelColor(midX, b.height() - 1 - qMax(width, 1)), kFace);
        if (width == 0)
            QVERIFY(image.pixelColor(0, midY) != kBorder);
    }

    void onlyAnEnabledButtonReactsAndClicks() {
        TSelButton& b = *m_button;
        QSignalSpy clicks(&b, &TSelButton::clicked);
        b.setEnabled(false);
        sendEnter(b);
        QCOMPARE(picture(b).pixelColor(b.width() - 2, 1), kFace);
        QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(60, 10));
        QCOMPARE(clicks.count(), 0);

        b.setEnabled(true);
        QTest::mouseClick(&b, Qt::RightButton, {}, QPoint(60, 10));
        QCOMPARE(clicks.count(), 0);
        QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(60, 10));
        QCOMPARE(clicks.count(), 1);

        // Disabled while held: no click, and no pressed drawing left behind.
        QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(60, 10));
        b.setEnabled(false);
        QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(60, 10));
        QCOMPARE(clicks.count(), 1);
        b.setEnabled(true);
        QVERIFY(b.look() != TSelButton::Look::Down);
    }
};

QTEST_MAIN(TestSelButton)
#include "tst_selbutton.moc"
