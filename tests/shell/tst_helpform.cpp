// The Help window: its pages and their texts, the page memory, About and Done.
#include "helpform.h"

#include "aboutform.h"
#include "buttoncomps.h"
#include "flatpanel.h"

#include <QLabel>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>
#include <QtTest>

namespace {

QPixmap solidTile(const QColor& colour) {
    QPixmap tile(17, 13);
    tile.fill(colour);
    return tile;
}

QStringList linesOf(const QTextEdit* page) {
    QStringList lines = page->toPlainText().split(QLatin1Char('\n'));
    // Blanks at the ends of lines do not count.
    for (QString& line : lines) {
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
    }
    return lines;
}

} // namespace

class TestHelpForm : public QObject {
    Q_OBJECT

private:
    Tabout* m_about = nullptr;
    Thelp* m_help = nullptr;

    void click(TSelButton* button) {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(30, 10));
    }

    void showHelp() {
        m_help->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_help));
    }

private slots:
    void init() {
        m_about = new Tabout(solidTile(Qt::darkBlue));
        m_help = new Thelp(solidTile(QColor(200, 30, 30)), m_about);
    }

    void cleanup() {
        delete m_help;
        delete m_about;
    }

    void theWindowHasItsCaptionSizeAndSidePanel() {
        QCOMPARE(m_help->windowTitle(), QStringLiteral("Solmarin - Help File"));
        QCOMPARE(m_help->size(), QSize(523, 431));
        QVERIFY(m_help->maximumSize().width() > 523); // resizable
        QCOMPARE(m_help->panel_side->geometry(), QRect(0, 0, 137, 431));
        QCOMPARE(m_help->panel_main->geometry(), QRect(137, 0, 386, 431));
        QVERIFY(m_help->panel_side->isTransparent());
        QCOMPARE(m_help->panel_side->colorHighLight(), QColor(Qt::black));
        QCOMPARE(m_help->panel_main->colorShadow(), QColor(Qt::black));
        QVERIFY(!m_help->isVisible());
    }

    void theSideButtonsCarryTheirPages_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("number");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<int>("alignment");
        const int left = Qt::AlignLeft;
        QTest::newRow("1") << "SelButton1"
                           << "Overview" << 1 << QRect(7, 8, 122, 20) << left;
        QTest::newRow("3") << "SelButton3"
                           << "Game Play" << 3 << QRect(7, 32, 122, 20) << left;
        QTest::newRow("4") << "SelButton4"
                           << "Scoring" << 4 << QRect(7, 56, 122, 20) << left;
        QTest::newRow("5") << "SelButton5"
                           << "Documentation" << 5 << QRect(7, 80, 122, 20) << left;
        QTest::newRow("6") << "SelButton6"
                           << "Keys and Deals" << 6 << QRect(7, 104, 122, 20) << left;
        QTest::newRow("about") << "button_about"
                               << "About" << 0 << QRect(7, 128, 122, 20) << left;
        QTest::newRow("done") << "button_done"
                              << "Done" << 0 << QRect(18, 404, 95, 20) << int(Qt::AlignHCenter);
    }

    void theSideButtonsCarryTheirPages() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(int, number);
        QFETCH(QRect, geometry);
        QFETCH(int, alignment);
        auto* button = m_help->panel_side->findChild<TSelButton*>(name);
        QVERIFY(button);
        QCOMPARE(button->caption(), caption);
        QCOMPARE(button->tag(), number);
        QCOMPARE(button->geometry(), geometry);
        QCOMPARE(int(button->alignment()), alignment);
        // The navy look: a blue face that stays blue under the mouse, where the caption whitens.
        QCOMPARE(button->colorOver(), button->color());
        QVERIFY(button->colorOverCaption() != button->fontColor());
    }

    void theCreditLinesFitTheSidePanel() {
        for (int i = 1; i <= 4; ++i) {
            auto* line = m_help->panel_side->findChild<QLabel*>(QStringLiteral("Label%1").arg(i));
            QVERIFY(line);
            QVERIFY(!line->text().isEmpty());
            QCOMPARE(line->pos(), QPoint(12, 336 + 16 * (i - 1)));
            QCOMPARE(line->font().pixelSize(), 11);
            QVERIFY2(line->geometry().right() < 137 - 1, qPrintable(line->text()));
        }
    }

    void theFirstPageIsTheOverview() {
        showHelp();
        QCOMPARE(m_help->label_caption->text(), QStringLiteral("Overview"));
        QCOMPARE(m_help->currentPage(), m_help->memo1);
        QVERIFY(m_help->memo1->isVisible());
        const QStringList lines = linesOf(m_help->memo1);
        QVERIFY(lines.size() >= 4);
        QCOMPARE(lines.first(), QStringLiteral("Overview"));
        QCOMPARE(lines.at(1), QString());
        QVERIFY(!lines.at(2).isEmpty());
        QCOMPARE(lines.last(), QStringLiteral("Thanks for checking it out!"));
    }

    void theWindowRemembersItsPage() {
        showHelp();
        click(m_help->SelButton4);
        QCOMPARE(m_help->label_caption->text(), QStringLiteral("Scoring"));
        QCOMPARE(m_help->currentPage(), m_help->memo4);
        click(m_help->button_done);
        QVERIFY(!m_help->isVisible());
        showHelp();
        QCOMPARE(m_help->currentPage(), m_help->memo4);
        QCOMPARE(m_help->label_caption->text(), QStringLiteral("Scoring"));

        // The close box hides the window the same way.
        m_help->close();
        QVERIFY(!m_help->isVisible());
        showHelp();
        QCOMPARE(m_help->currentPage(), m_help->memo4);
    }

    void documentationShowsTheHistoryPage() {
        showHelp();
        click(m_help->SelButton5);
        QCOMPARE(m_help->currentPage(), m_help->memo5);
        QCOMPARE(linesOf(m_help->currentPage()).first(), QStringLiteral("History"));
        QCOMPARE(m_help->label_caption->text(), QStringLiteral("Documentation"));
        click(m_help->SelButton3);
        QCOMPARE(m_help->currentPage(), m_help->memo3);
        QCOMPARE(m_help->label_caption->text(), QStringLiteral("Game Play"));
        click(m_help->SelButton1);
        QCOMPARE(m_help->currentPage(), m_help->memo1);
    }

    // The program's own page, after the specified ones: one part for each of its subjects.
    void keysAndDealsHasAPageOfItsOwn() {
        showHelp();
        click(m_help->SelButton6);
        QCOMPARE(m_help->currentPage(), m_help->memo6);
        QCOMPARE(m_help->label_caption->text(), QStringLiteral("Keys and Deals"));
        const QStringList lines = linesOf(m_help->memo6);
        QCOMPARE(lines.first(), QStringLiteral("Keys and Deals"));
        for (const char* part :
             {"Playing from the keyboard", "Hint", "Deal numbers", "Select Deal and Restart Deal",
              "Winnable Deals Only", "Animate Cards"}) {
            const int at = lines.indexOf(QString::fromUtf8(part));
            QVERIFY2(at > 0, part);
            // A title between blank lines, then its text.
            QVERIFY2(lines.at(at - 1).isEmpty() && lines.at(at + 1).isEmpty() &&
                         !lines.value(at + 2).isEmpty(),
                     part);
        }
        click(m_help->SelButton1);
        QCOMPARE(m_help->currentPage(), m_help->memo1);
    }

    void aButtonWithoutAPageChangesNothing() {
        TSelButton stray(QStringLiteral("stray"), nullptr);
        stray.setTag(2);
        m_help->SelButton1Click(&stray);
        QCOMPARE(m_help->currentPage(), m_help->memo1);
        QCOMPARE(m_help->label_caption->text(), QStringLiteral("Overview"));
    }

    void aboutOpensOverTheHelpWindow() {
        showHelp();
        click(m_help->button_about);
        QVERIFY(QTest::qWaitForWindowExposed(m_about));
        QVERIFY(m_about->isVisible());
        QVERIFY(m_help->isVisible());
    }

    void thePagesHoldTheirTexts_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("Game Play")
            << "memo3"
            << QStringList{
                   "Game Play",
                   "",
                   "In Solmarin you simply try to clear all the peaks of cards. You start with "
                   "three",
                   "peaks, a stock pile, and a discard pile.",
                   "",
                   "You can move a card from the stock pile to the discard pile by clicking on it.",
                   "",
                   "Move cards from the peaks to the discard pile by clicking on them. The card",
                   "you move must be one more or one less then the card on the discard pile.",
                   "Ace can be played on a King and vice versa.",
                   "",
                   "The Undo button allows you to do undo moves. But beware..you will lose 3",
                   "points everytime you use it.",
                   "Win the game by clearing all three peaks.",
               };
        QTest::newRow("Scoring")
            << "memo4"
            << QStringList{
                   "Scoring",
                   "",
                   "Moving a card from your stock pile to your discard pile will cost you",
                   "points. The first card flipped over will cost you 1 point, the second",
                   "consecutive card flipped will cost 2 point, and so on.. Moving a card from",
                   "the solmarin to the discard resets this count.",
                   "",
                   "You receive points for putting cards from the solmarin to the discard pile.",
                   "The first card you move over is worth 1 point. The second consecutive",
                   "card is worth 2 points, the third is worth 3 and so on. Moving a card from",
                   "your stock pile to your discard pile resets this count.",
                   "",
                   "If you use the Undo Button, it'll cost you 3 points.",
                   "",
                   "Removing the last card from a peak earns your 20 points.",
                   "",
                   "If you clear all three peaks you recieve 5 bonus points for each card left",
                   "in your stock pile.",
                   "",
                   "If you clear all the peaks then you also have a chance to get your name",
                   "on the high score list.",
                   "",
                   "The Tally List is a personal tally of the games that have been played on",
                   "your computer. It also has a personal high score list of only those players",
                   "who play on your computer.",
                   "",
                   "The High Score list is a global list of players who score big. You must",
                   "have an internet connection and allow the game to access the internet in",
                   "order to get your score posted to the high score list.",
               };
        QTest::newRow("Documentation")
            << "memo5" << QStringList{"History", "", "Jan 10, 2009 - Version 1.0.0.1"};
    }

    void thePagesHoldTheirTexts() {
        QFETCH(QString, page);
        QFETCH(QStringList, lines);
        auto* memo = m_help->findChild<QTextEdit*>(page);
        QVERIFY(memo);
        const QStringList actual = linesOf(memo);
        for (int i = 0; i < qMin(actual.size(), lines.size()); ++i)
            QCOMPARE(actual.at(i), lines.at(i));
        QCOMPARE(actual.size(), lines.size());
    }

    void thePagesAreReadOnlyWhiteAndWrapped() {
        for (QTextEdit* memo :
             {m_help->memo1, m_help->memo3, m_help->memo4, m_help->memo5, m_help->memo6}) {
            QVERIFY(memo->isReadOnly());
            QCOMPARE(memo->frameShape(), QFrame::NoFrame);
            QCOMPARE(memo->document()->documentMargin(), 5.0);
            QCOMPARE(memo->palette().color(QPalette::Base), QColor(Qt::white));
            QCOMPARE(memo->palette().color(QPalette::Text), QColor(Qt::black));
            QCOMPARE(memo->font().pixelSize(), 11);
            QCOMPARE(memo->font().family(), QStringLiteral("Arial"));
            QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
            QCOMPARE(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
            QCOMPARE(memo->lineWrapMode(), QTextEdit::WidgetWidth);
            // Reached by Tab too, with a caret the arrow keys move.
            QVERIFY(memo->focusPolicy() & Qt::TabFocus);
            QVERIFY(memo->textInteractionFlags() & Qt::TextSelectableByKeyboard);
        }
        // The long lines of the scoring page wrap inside the page instead of scrolling sideways.
        m_help->resize(400, 431);
        showHelp();
        click(m_help->SelButton4);
        QTextEdit* scoring = m_help->memo4;
        QVERIFY(scoring->document()->size().width() <= scoring->viewport()->width());
        int shownLines = 0;
        for (QTextBlock block = scoring->document()->begin(); block.isValid(); block = block.next())
            shownLines += block.layout()->lineCount();
        QVERIFY(shownLines > linesOf(scoring).size());
    }

    void thePanelsFollowTheWindowsSize() {
        m_help->resize(700, 520);
        showHelp();
        QCOMPARE(m_help->panel_side->geometry(), QRect(0, 0, 137, 520));
        QCOMPARE(m_help->panel_main->geometry(), QRect(137, 0, 563, 520));
        QCOMPARE(m_help->label_caption->height(), 20);
        const QRect page = m_help->memo1->geometry();
        QCOMPARE(m_help->memo1->mapTo(m_help->panel_main, QPoint(0, 0)).y(),
                 m_help->label_caption->geometry().bottom() + 1);
        QVERIFY(page.width() >= 563 - 2 && page.height() >= 520 - 20 - 2);
    }

    void theTitleIsWhiteBoldAndTheClothShowsThrough() {
        showHelp();
        QLabel* title = m_help->label_caption;
        QCOMPARE(title->palette().color(QPalette::WindowText), QColor(Qt::white));
        QVERIFY(title->font().bold());
        QCOMPARE(title->font().pixelSize(), 16);
        QVERIFY(title->alignment() & Qt::AlignHCenter);
        const QImage window = m_help->grab().toImage();
        QCOMPARE(window.pixelColor(60, 200), QColor(200, 30, 30));
        QCOMPARE(window.pixelColor(140, 5), QColor(200, 30, 30));
        QCOMPARE(window.pixelColor(0, 200), QColor(Qt::black)); // the side panel's frame
    }

    void showingCentresOverTheOwner() {
        QWidget owner;
        owner.setGeometry(40, 30, 700, 560);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        Tabout about(solidTile(Qt::blue), &owner);
        Thelp help(solidTile(Qt::blue), &about, &owner);
        help.show();
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        const QPoint offset = help.frameGeometry().center() - owner.frameGeometry().center();
        QVERIFY2(offset.manhattanLength() <= 4,
                 qPrintable(QStringLiteral("off by %1,%2").arg(offset.x()).arg(offset.y())));
    }
};

QTEST_MAIN(TestHelpForm)
#include "tst_helpform.moc"
