// The About window: its layout, the version line, the link to the maker's site and its showing.
#include "aboutform.h"

#include "buttoncomps.h"
#include "lbback.h"
#include "maker.h"
#include "url.h"

#include <QLabel>
#include <QtTest>

namespace {

QPixmap solidTile(const QColor& colour) {
    QPixmap tile(17, 13);
    tile.fill(colour);
    return tile;
}

QColor textColour(const QLabel* label) {
    return label->palette().color(QPalette::WindowText);
}

} // namespace

class TestAboutForm : public QObject {
    Q_OBJECT

private:
    QStringList m_opened;
    Tabout* m_about = nullptr;

private slots:
    void init() {
        m_opened.clear();
        TURL::setOpener([this](const QString& address) {
            m_opened << address;
            return true;
        });
        m_about = new Tabout(solidTile(QColor(200, 30, 30)));
    }

    void cleanup() {
        delete m_about;
        TURL::setOpener({});
    }

    void theWindowIsAFixedDialogOf304By193() {
        QCOMPARE(m_about->windowTitle(), QStringLiteral("Solmarin - About"));
        QCOMPARE(m_about->size(), QSize(304, 193));
        QCOMPARE(m_about->minimumSize(), m_about->maximumSize());
        const Qt::WindowFlags flags = m_about->windowFlags();
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!m_about->isVisible());
    }

    void controlsSitInTheirPlaces_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("expected"); // an empty size checks the position only
        QTest::newRow("Image1") << "Image1" << QRect(42, 10, 217, 54);
        QTest::newRow("Label7") << "Label7" << QRect(8, 72, 289, 20);
        QTest::newRow("Label1") << "Label1" << QRect(48, 171, 0, 0);
        QTest::newRow("version") << "version" << QRect(96, 171, 0, 0);
        QTest::newRow("Label9") << "Label9" << QRect(123, 171, 0, 0);
        QTest::newRow("button_done") << "button_done" << QRect(202, 164, 95, 20);
        QTest::newRow("programmed by") << "Label2" << QRect(4, 122, 0, 0);
        QTest::newRow("year") << "Label3" << QRect(4, 138, 0, 0);
        QTest::newRow("maker") << "Label4" << QRect(106, 138, 0, 0);
        QTest::newRow("rights") << "Label5" << QRect(4, 154, 0, 0);
    }

    void controlsSitInTheirPlaces() {
        QFETCH(QString, name);
        QFETCH(QRect, expected);
        auto* control = m_about->findChild<QWidget*>(name);
        QVERIFY(control);
        QCOMPARE(control->pos(), expected.topLeft());
        if (!expected.size().isEmpty())
            QCOMPARE(control->size(), expected.size());
        QVERIFY(m_about->rect().contains(control->geometry()));
    }

    void theVersionLineReadsVersion1001() {
        QCOMPARE(m_about->Label1->text(), QStringLiteral("Version"));
        QCOMPARE(m_about->version->text(), QStringLiteral("1.0.0"));
        QCOMPARE(m_about->Label9->text(), QStringLiteral(".1"));
        QCOMPARE(textColour(m_about->Label1), QColor(Qt::white));
        QCOMPARE(textColour(m_about->version), QColor(255, 255, 0));
        QCOMPARE(textColour(m_about->Label9), QColor(255, 255, 0));
        // The three labels must read as one line, not overlap.
        const QFontMetrics metrics(m_about->version->font());
        QVERIFY(48 + metrics.horizontalAdvance(QStringLiteral("Version")) <= 96);
        QVERIFY(96 + metrics.horizontalAdvance(QStringLiteral("1.0.0")) <= 123);
        QVERIFY(m_about->version->font().bold());
        QCOMPARE(m_about->version->font().pixelSize(), 13);
    }

    // Beside the window's white and yellow lettering, Done must not look switched off: its
    // caption is drawn as bright as the window's white text and still changes under the mouse.
    void doneDoesNotLookSwitchedOff() {
        TSelButton* done = m_about->button_done;
        QVERIFY(done->isEnabled());
        QCOMPARE(done->fontColor(), textColour(m_about->Label1));
        QVERIFY(done->colorOverCaption() != done->fontColor());
        const QImage drawn = done->grab().toImage();
        const qreal ratio = drawn.devicePixelRatio();
        // Inside the white border only the caption can be white.
        const QRect inside(int(2 * ratio), int(2 * ratio), drawn.width() - int(4 * ratio),
                           drawn.height() - int(4 * ratio));
        int white = 0;
        for (int y = inside.top(); y <= inside.bottom(); ++y)
            for (int x = inside.left(); x <= inside.right(); ++x)
                white += drawn.pixelColor(x, y) == textColour(m_about->Label1);
        QVERIFY2(white > 10, qPrintable(QString::number(white)));
    }

    void theCreditsNameTheMakerWithoutOverlapping() {
        auto* year = m_about->findChild<QLabel*>(QStringLiteral("Label3"));
        auto* maker = m_about->findChild<QLabel*>(QStringLiteral("Label4"));
        QVERIFY(year && maker);
        QCOMPARE(maker->text(), QString::fromLatin1(kMakerName));
        QVERIFY(year->geometry().right() < maker->geometry().left());
        for (const char* name : {"Label2", "Label3", "Label4", "Label5"}) {
            auto* label = m_about->findChild<QLabel*>(QLatin1String(name));
            QVERIFY(!label->text().isEmpty());
            QCOMPARE(textColour(label), QColor(Qt::white));
            QVERIFY(label->font().bold());
        }
    }

    void theLinkLooksLikeALink() {
        QLabel* link = m_about->Label7;
        QCOMPARE(link->text(), QString::fromLatin1(kMakerSite));
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(link->font().bold());
        QVERIFY(link->font().underline());
        QCOMPARE(link->font().pixelSize(), 16);
        QCOMPARE(textColour(link), QColor(Qt::white));
        QVERIFY(link->alignment() & Qt::AlignHCenter);
    }

    void clickingTheLinkOpensTheMakersSite() {
        m_about->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_about));
        QTest::mouseClick(m_about->Label7, Qt::LeftButton);
        QCOMPARE(m_opened, QStringList{QStringLiteral("http://") + kMakerSite});
        QTest::mouseClick(m_about->Label7, Qt::RightButton);
        QCOMPARE(m_opened.size(), 1);
    }

    void theSiteOpensWithoutTheWindowEverShown() {
        // The main window's logo goes through the same opener.
        QCOMPARE(m_about->URL1->urlType(), TURL::utHttp);
        QCOMPARE(m_about->URL1->url(), QString::fromLatin1(kMakerSite));
        QVERIFY(m_about->URL1->open());
        QCOMPARE(m_opened, QStringList{QStringLiteral("http://") + kMakerSite});
        QVERIFY(!m_about->isVisible());
    }

    void doneAndTheCloseBoxOnlyHide() {
        QPointer<Tabout> about = m_about;
        QCOMPARE(m_about->button_done->caption(), QStringLiteral("Done"));
        QCOMPARE(m_about->button_done->alignment(), Qt::Alignment(Qt::AlignHCenter));
        m_about->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_about));
        QTest::mouseClick(m_about->button_done, Qt::LeftButton, {}, QPoint(40, 10));
        QVERIFY(!m_about->isVisible());
        m_about->show();
        QVERIFY(m_about->isVisible());
        m_about->close();
        QVERIFY(!m_about->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(about);
    }

    void theTitleAndTheClothAreDrawn() {
        m_about->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_about));
        const QPixmap title = m_about->Image1->pixmap();
        QVERIFY(!title.isNull());
        QCOMPARE(title.deviceIndependentSize().toSize(), QSize(217, 54));
        // The cloth shows through everywhere nothing else is drawn.
        const QImage window = m_about->grab().toImage();
        QCOMPARE(window.pixelColor(2, 2), QColor(200, 30, 30));
        QCOMPARE(window.pixelColor(250, 120), QColor(200, 30, 30));
        QCOMPARE(window.pixelColor(300, 189), QColor(200, 30, 30));
    }

    void showingCentresOverTheOwner() {
        QWidget owner;
        owner.setGeometry(60, 50, 500, 400);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        Tabout about(solidTile(Qt::blue), &owner);
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        const QPoint offset = about.frameGeometry().center() - owner.frameGeometry().center();
        QVERIFY2(offset.manhattanLength() <= 4,
                 qPrintable(QStringLiteral("off by %1,%2").arg(offset.x()).arg(offset.y())));
        QVERIFY(about.isWindow());
    }
};

QTEST_MAIN(TestAboutForm)
#include "tst_aboutform.moc"
