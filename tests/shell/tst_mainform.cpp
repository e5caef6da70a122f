// The main window: its layout, menu and panels, and games played through clicks on its widgets.
#include "tablefixture.h"

#include "aboutform.h"
#include "helpform.h"
#include "maker.h"
#include "url.h"

#include <QMenu>
#include <QMenuBar>
#include <QTextEdit>

class TstMainForm : public QObject {
    Q_OBJECT

private slots:
    void cardsSitAtTheirFixedPlaces_data() {
        QTest::addColumn<int>("slot");
        QTest::addColumn<QPoint>("place");
        QTest::newRow("first peak") << 1 << QPoint(125, 11);
        QTest::newRow("third peak") << 3 << QPoint(549, 11);
        QTest::newRow("row 2 start") << 4 << QPoint(89, 73);
        QTest::newRow("row 3 start") << 10 << QPoint(45, 139);
        QTest::newRow("row 3 end, a pixel out of step") << 18 << QPoint(622, 139);
        QTest::newRow("row 4 start") << 19 << QPoint(9, 211);
        QTest::newRow("row 4, slot 27") << 27 << QPoint(586, 211);
        QTest::newRow("row 4 end") << 28 << QPoint(659, 211);
    }
    void cardsSitAtTheirFixedPlaces() {
        QFETCH(int, slot);
        QFETCH(QPoint, place);
        Table table;
        ImageButton* card = table.card(slot);
        QVERIFY(card);
        QCOMPARE(card->parentWidget()->objectName(), QStringLiteral("panel_board1"));
        QCOMPARE(card->geometry(), QRect(place, QSize(71, 96)));
        QCOMPARE(card->hint(), QString::number(slot));
        QVERIFY(card->toolTip().isEmpty());
    }

    void controlsSitWhereTheTableWantsThem_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("board panel") << "panel_board"
                                     << "" << QRect(0, 0, 766, 495);
        QTest::newRow("table panel") << "panel_board1"
                                     << "panel_board" << QRect(15, 33, 737, 448);
        QTest::newRow("table picture") << "Image1"
                                       << "panel_board1" << QRect(1, 1, 735, 446);
        QTest::newRow("logo") << "image_logo"
                              << "panel_board1" << QRect(6, 401, 214, 41);
        QTest::newRow("stock end") << "image_stockend"
                                   << "panel_board1" << QRect(292, 322, 72, 97);
        QTest::newRow("stock") << "image_stock"
                               << "panel_board1" << QRect(293, 323, 71, 96);
        QTest::newRow("discard") << "image_discard"
                                 << "panel_board1" << QRect(381, 323, 71, 96);
        QTest::newRow("start") << "button_start"
                               << "panel_board1" << QRect(600, 400, 126, 40);
        QTest::newRow("undo") << "button_undo"
                              << "panel_board1" << QRect(600, 360, 126, 40);
        QTest::newRow("name panel") << "panel_name"
                                    << "panel_board1" << QRect(205, 96, 329, 161);
        QTest::newRow("lost panel") << "panel_lost"
                                    << "panel_board1" << QRect(205, 120, 329, 105);
        QTest::newRow("cleared panel") << "panel_cleared"
                                       << "panel_board1" << QRect(205, 65, 329, 233);
        QTest::newRow("update panel") << "panel_update"
                                      << "panel_board1" << QRect(205, 96, 329, 161);
        QTest::newRow("name field") << "edit_aname"
                                    << "panel_name" << QRect(83, 52, 161, 32);
        QTest::newRow("name done") << "button_namedone"
                                   << "panel_name" << QRect(99, 106, 126, 40);
        QTest::newRow("lost start") << "button_start2"
                                    << "panel_lost" << QRect(27, 49, 126, 40);
        QTest::newRow("lost done") << "button_donelost"
                                   << "panel_lost" << QRect(170, 50, 126, 40);
        QTest::newRow("cleared name") << "edit_name"
                                      << "panel_cleared" << QRect(83, 91, 161, 32);
        QTest::newRow("send score") << "button_sendscore"
                                    << "panel_cleared" << QRect(34, 133, 126, 40);
        QTest::newRow("high scores") << "button_highscores"
                                     << "panel_cleared" << QRect(171, 133, 126, 40);
        QTest::newRow("cancel") << "button_cancel"
                                << "panel_cleared" << QRect(98, 181, 126, 40);
    }
    void controlsSitWhereTheTableWantsThem() {
        QFETCH(QString, name);
        QFETCH(QString, parent);
        QFETCH(QRect, geometry);
        Table table;
        QWidget* control = table.control(name);
        QVERIFY(control);
        QCOMPARE(control->geometry(), geometry);
        if (!parent.isEmpty())
            QCOMPARE(control->parentWidget()->objectName(), parent);
    }

    void waitPanelCoversSendAndListButtonsButNotCancel() {
        Table table;
        const QRect wait = table.control("panel_wait")->geometry();
        QCOMPARE(table.control("panel_wait")->parentWidget()->objectName(),
                 QStringLiteral("panel_cleared"));
        QVERIFY(wait.contains(table.control("button_sendscore")->geometry()));
        QVERIFY(wait.contains(table.control("button_highscores")->geometry()));
        QVERIFY(!wait.intersects(table.control("button_cancel")->geometry()));
    }

    void upperRowsLieBeneathTheCardsCoveringThem() {
        Table table;
        QVERIFY(table.show());
        table.click("button_start");
        QWidget* board = table.control("panel_board1");
        for (int n = 1; n <= 18; ++n) {
            const Game::Cover cover = table.window->game().covers(n);
            for (int coverer : {cover.a, cover.b}) {
                const QRect overlap = table.card(n)->geometry() & table.card(coverer)->geometry();
                QVERIFY2(!overlap.isEmpty(), qPrintable(QString("slot %1").arg(n)));
                QCOMPARE(board->childAt(overlap.center()), table.card(coverer));
            }
        }
        // The stock lies on the picture shown once it is empty.
        QCOMPARE(board->childAt(QPoint(320, 360)), table.control("image_stock"));
    }

    void menuHasItsCaptionsShortcutsAndMarks_data() {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QKeySequence>("shortcut");
        QTest::addColumn<int>("checked"); // -1: no check mark
        QTest::newRow("start") << "file1"
                               << "StartGame1"
                               << "Start New Game" << QKeySequence(Qt::CTRL | Qt::Key_S) << -1;
        QTest::newRow("undo") << "file1"
                              << "Undo1"
                              << "Undo" << QKeySequence(Qt::CTRL | Qt::Key_Z) << -1;
        QTest::newRow("exit") << "file1"
                              << "Exit1"
                              << "Exit" << QKeySequence() << -1;
        QTest::newRow("sounds") << "Options1"
                                << "PlaySounds1"
                                << "Play Sounds" << QKeySequence() << 1;
        QTest::newRow("reset") << "Options1"
                               << "ResetScreenLocation1"
                               << "Reset Screen Location" << QKeySequence() << -1;
        QTest::newRow("name, two blanks") << "Options1"
                                          << "ChangeName1"
                                          << "Change  Name" << QKeySequence() << -1;
        QTest::newRow("updates") << "Options1"
                                 << "updatecheck"
                                 << "Automatically Check for Updates" << QKeySequence() << 1;
        QTest::newRow("tally") << "View1"
                               << "TallyList1"
                               << "Tally List" << QKeySequence() << -1;
        QTest::newRow("high scores") << "View1"
                                     << "ViewHighScoreList1"
                                     << "View High Score List" << QKeySequence() << -1;
        QTest::newRow("help") << "Help1"
                              << "Help2"
                              << "Help" << QKeySequence(Qt::Key_F1) << -1;
        QTest::newRow("about") << "Help1"
                               << "About1"
                               << "About" << QKeySequence() << -1;
        // The program's own items are capitalised like the rest.
        QTest::newRow("winnable only") << "Options1"
                                       << "WinnableDeals1"
                                       << "Winnable Deals Only" << QKeySequence() << 0;
    }
    void menuHasItsCaptionsShortcutsAndMarks() {
        QFETCH(QString, menu);
        QFETCH(QString, item);
        QFETCH(QString, caption);
        QFETCH(QKeySequence, shortcut);
        QFETCH(int, checked);
        Table table;
        QMenu* owner = table.control<QMenu>(menu);
        QVERIFY(owner);
        QAction* action = table.action(item);
        QVERIFY(action);
        QVERIFY(owner->actions().contains(action));
        QCOMPARE(action->text(), caption);
        QCOMPARE(action->shortcut(), shortcut);
        QCOMPARE(action->isCheckable(), checked >= 0);
        if (checked >= 0)
            QCOMPARE(action->isChecked(), checked == 1);
    }

    void menusAndSeparatorsComeInOrder() {
        Table table;
        QStringList titles;
        for (QAction* a : table.window->menuBar()->actions())
            titles << a->text();
        QCOMPARE(titles, QStringList({"Game", "Options", "View", "Help"}));
        QCOMPARE(table.window->menuBar()->objectName(), QStringLiteral("MainMenu1"));
        auto names = [&](const char* menu) {
            QStringList out;
            for (QAction* a : table.control<QMenu>(menu)->actions())
                out << (a->isSeparator() ? "-" + a->objectName() : a->objectName());
            return out;
        };
        QCOMPARE(names("file1"),
                 QStringList({"StartGame1", "SelectDeal1", "RestartDeal1", "DealOfTheDay1", "-N3",
                              "Undo1", "Hint1", "-N1", "Exit1"}));
        QCOMPARE(names("Options1"),
                 QStringList({"PlaySounds1", "ResetScreenLocation1", "ChangeName1", "updatecheck",
                              "AnimateCards1", "WinnableDeals1"}));
        QCOMPARE(names("View1"), QStringList({"TallyList1", "ViewHighScoreList1"}));
        QCOMPARE(names("Help1"), QStringList({"Help2", "-N2", "About1"}));
    }

    void startUpShowsAnEmptyTableAndAsksForTheName() {
        Table table;
        QVERIFY(table.show());
        QCOMPARE(table.window->windowTitle(), QStringLiteral("Solmarin"));
        QCOMPARE(table.text("label_score"), QStringLiteral("Score: 0"));
        QCOMPARE(table.text("label_cardsleft"), QStringLiteral("Cards Left: 0"));
        QCOMPARE(table.text("label_bonus"), QString());
        QCOMPARE(table.text("label_name"),
                 QStringLiteral("Welcome to Solmarin by Velbor Software!"));
        for (int n = 1; n <= 28; ++n)
            QVERIFY(!table.card(n)->isVisible() || !table.card(n)->hasPicture());
        QVERIFY(!table.control<ImageButton>("image_stock")->hasPicture());
        QVERIFY(!table.control<ImageButton>("image_discard")->hasPicture());
        QVERIFY(table.visible("image_stockend"));
        QVERIFY(!table.visible("button_undo"));
        QVERIFY(table.action("Undo1")->isEnabled());
        QVERIFY(table.visible("panel_name"));
        for (const char* hidden : {"panel_lost", "panel_cleared", "panel_wait", "panel_update"})
            QVERIFY2(!table.control(hidden)->isVisibleTo(table.window.get()), hidden);
        QCOMPARE(table.sounds, std::vector<std::string>({"entered"}));
        QCOMPARE(table.control<QLineEdit>("edit_aname")->text(), QStringLiteral("Guest"));

        // Before the first deal clicks on the table change nothing and make no sound.
        table.click(table.control("image_stock"));
        table.click("button_undo");
        QCOMPARE(table.text("label_score"), QStringLiteral("Score: 0"));
        QCOMPARE(table.sounds.size(), std::size_t(1));
    }

    void panelTitlesAreShadowedCopies_data() {
        QTest::addColumn<QString>("grey");
        QTest::addColumn<QString>("white");
        QTest::addColumn<QString>("title");
        QTest::newRow("name") << "Label5"
                              << "Label6"
                              << "ENTER YOUR NAME";
        QTest::newRow("lost") << "Label7"
                              << "Label8"
                              << "SORRY, YOU LOST!";
        QTest::newRow("cleared") << "Label1"
                                 << "Label2"
                                 << "YOUR CLEARED THE BOARD!";
        QTest::newRow("prompt") << "Label3"
                                << "Label4"
                                << "Enter Your Name";
        QTest::newRow("update") << "Label15"
                                << "Label16"
                                << "Update Available";
        QTest::newRow("update prompt") << "Label17"
                                       << "Label18"
                                       << "Would you like to update now?";
    }
    void panelTitlesAreShadowedCopies() {
        QFETCH(QString, grey);
        QFETCH(QString, white);
        QFETCH(QString, title);
        Table table;
        QLabel* below = table.control<QLabel>(grey);
        QLabel* above = table.control<QLabel>(white);
        QCOMPARE(below->text(), title);
        QCOMPARE(above->text(), title);
        QCOMPARE(below->palette().color(QPalette::WindowText), QColor(128, 128, 128));
        QCOMPARE(above->palette().color(QPalette::WindowText), QColor(Qt::white));
        QVERIFY(below->font().bold() && above->font().bold());
        QWidget* panel = below->parentWidget();
        const QList<QWidget*> order = panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        QVERIFY2(order.indexOf(below) < order.indexOf(above), "the white copy lies on top");
    }

    void startGameDealsTheBoard_data() {
        QTest::addColumn<int>("how");
        QTest::newRow("START GAME") << 0;
        QTest::newRow("Start New Game") << 1;
        QTest::newRow("Ctrl+S") << 2;
    }
    void startGameDealsTheBoard() {
        QFETCH(int, how);
        Table table;
        QVERIFY(table.show());
        table.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(table.window.get()));
        if (how == 0)
            table.click("button_start");
        else if (how == 1)
            table.action("StartGame1")->trigger();
        else
            QTest::keyClick(table.window.get(), Qt::Key_S, Qt::ControlModifier);

        const Game& game = table.window->game();
        QVERIFY(game.playing());
        QCOMPARE(game.dealpos(), 29);
        for (int n = 1; n <= 28; ++n) {
            QVERIFY2(table.card(n)->isVisible(), qPrintable(QString("slot %1").arg(n)));
            const int expected = n >= 19 ? game.deck()[n] : 0;
            QVERIFY2(showsImage(table.card(n), expected),
                     qPrintable(QString("slot %1 shows %2").arg(n).arg(expected)));
        }
        QVERIFY(showsImage(table.control<ImageButton>("image_discard"), game.deck()[29]));
        QVERIFY(showsImage(table.control<ImageButton>("image_stock"), 0));
        QCOMPARE(table.text("label_cardsleft"), QStringLiteral("Cards Left: 23"));
        QCOMPARE(table.text("label_score"), QStringLiteral("Score: 0"));
        QCOMPARE(table.text("label_bonus"), QString());
        QCOMPARE(table.text("label_name"), QStringLiteral("Good Luck Guest"));
        QVERIFY(!table.visible("panel_name"));
        QCOMPARE(table.sounds.back(), std::string("startgame"));
    }

    void newDealHidesTheResultPanels_data() {
        QTest::addColumn<bool>("won");
        QTest::addColumn<QString>("starter");
        QTest::newRow("lost, START GAME on the board") << false << "button_start";
        QTest::newRow("lost, START GAME on the panel") << false << "button_start2";
        QTest::newRow("lost, menu") << false << "StartGame1";
        QTest::newRow("cleared, START GAME") << true << "button_start";
        QTest::newRow("cleared, menu") << true << "StartGame1";
    }
    void newDealHidesTheResultPanels() {
        QFETCH(bool, won);
        QFETCH(QString, starter);
        Table table;
        QVERIFY(table.show());
        table.deal(won ? winnableDeck() : losingDeck());
        if (won) {
            for (int slot : clearingOrder())
                Table::click(table.card(slot));
        } else {
            for (int i = 0; i < 23; ++i)
                table.click("image_stock");
        }
        const QString panel = won ? "panel_cleared" : "panel_lost";
        QVERIFY(table.landed());
        QVERIFY(table.visible(panel));

        if (starter == "StartGame1")
            table.action(starter)->trigger();
        else
            table.click(starter);
        QVERIFY(!table.visible(panel));
        QVERIFY(table.window->game().playing());
        QCOMPARE(table.window->game().dealpos(), 29);
        QCOMPARE(table.text("label_cardsleft"), QStringLiteral("Cards Left: 23"));
        for (int n = 1; n <= 28; ++n)
            QVERIFY(table.card(n)->isVisible());
    }

    void boardIsClearedThroughClicks() {
        Table table;
        QVERIFY(table.show());
        table.deal(winnableDeck());
        const std::vector<int> order = clearingOrder();
        for (std::size_t i = 0; i < order.size(); ++i) {
            ImageButton* card = table.card(order[i]);
            QVERIFY2(showsImage(card, table.window->game().slot(order[i]).card),
                     qPrintable(QString("slot %1 is face up when its turn comes").arg(order[i])));
            Table::click(card);
            QVERIFY2(!card->isVisible(), qPrintable(QString("slot %1 played").arg(order[i])));
            QVERIFY(showsImage(table.control<ImageButton>("image_discard"),
                               table.window->game().discard()));
            if (i + 1 < order.size())
                QCOMPARE(table.sounds.back(), std::string("placecard"));
        }
        // 1 + 2 + ... + 28 for the run, 20 for each peak, 120 for the untouched stock.
        QVERIFY(table.landed());
        QCOMPARE(table.text("label_score"), QStringLiteral("Score: 586"));
        QCOMPARE(table.text("label_bonus"), QStringLiteral("+120"));
        QVERIFY(table.visible("panel_cleared"));
        QCOMPARE(table.text("Label1"), QStringLiteral("You Cleared The Board!"));
        QCOMPARE(table.text("Label2"), QStringLiteral("You Cleared The Board!"));
        QCOMPARE(table.text("label_score1"), QStringLiteral("Your Score: 586"));
        QVERIFY(table.visible("button_sendscore"));
        QVERIFY(table.visible("edit_name"));
        QCOMPARE(table.control<QLineEdit>("edit_name")->text(), QStringLiteral("Guest"));
        QVERIFY(!table.visible("button_undo"));
        QVERIFY(!table.action("Undo1")->isEnabled());
        QCOMPARE(table.control("panel_board1")->childAt(QPoint(210, 70)),
                 table.control("panel_cleared"));
        const int winners = table.count("winner") + table.count("winner1") + table.count("winner2");
        QCOMPARE(winners, 1);
        QCOMPARE(table.count("placecard"), 27);

        // After the win the board takes no more clicks; CANCEL leaves the final score shown.
        table.click("button_undo");
        table.click("button_cancel");
        QVERIFY(!table.visible("panel_cleared"));
        QCOMPARE(table.text("label_score"), QStringLiteral("Score: 586"));
    }

    void gameIsLostWhenTheStockRunsOut() {
        Table table;
        QVERIFY(table.show());
        table.deal(losingDeck());
        for (int i = 1; i <= 23; ++i) {
            table.click("image_stock");
            QVERIFY(table.landed());
            QCOMPARE(table.text("label_cardsleft"), QStringLiteral("Cards Left: %1").arg(23 - i));
        }
        QVERIFY(table.visible("panel_lost"));
        QVERIFY(!table.window->game().playing());
        QVERIFY(!table.control<ImageButton>("image_stock")->hasPicture());
        QVERIFY(table.visible("image_stockend"));
        // Every card left on the board is turned up.
        for (int n = 1; n <= 28; ++n)
            QVERIFY(showsImage(table.card(n), table.window->game().slot(n).card));
        QCOMPARE(table.count("replace"), 22);
        const QString score = table.text("label_score");

        // DONE closes the panel; the board takes no more clicks until a new game.
        table.click("button_donelost");
        QVERIFY(!table.visible("panel_lost"));
        const std::size_t heard = table.sounds.size();
        Table::click(table.card(19));
        table.click("image_stock");
        QCOMPARE(table.text("label_score"), score);
        QCOMPARE(table.sounds.size(), heard);
    }

    void refusedClickSoundsInvalidAndChangesNothing() {
        Table table;
        QVERIFY(table.show());
        table.deal(winnableDeck());
        Table::click(table.card(20)); // a 3 on an Ace
        Table::click(table.card(1));  // face down and covered
        QCOMPARE(table.sounds.back(), std::string("invalid"));
        QCOMPARE(table.count("invalid"), 2);
        QCOMPARE(table.text("label_score"), QStringLiteral("Score: 0"));
        QVERIFY(table.card(20)->isVisible());
        QVERIFY(!table.visible("button_undo"));
    }

    void undoTakesBackAMoveAtThreePoints_data() {
        QTest::addColumn<int>("how");
        QTest::newRow("UNDO button") << 0;
        QTest::newRow("menu") << 1;
        QTest::newRow("Ctrl+Z") << 2;
    }
    void undoTakesBackAMoveAtThreePoints() {
        QFETCH(int, how);
        Table table;
        QVERIFY(table.show());
        table.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(table.window.get()));
        table.deal(winnableDeck());
        const Game::Deck deck = winnableDeck();
        Table::click(table.card(19));
        Table::click(table.card(20));
        QVERIFY(table.landed());
        QCOMPARE(table.text("label_score"), QStringLiteral("Score: 3"));
        QVERIFY(table.visible("button_undo"));
        QVERIFY(table.action("Undo1")->isEnabled());

        auto undo = [&] {
            if (how == 0)
                table.click("button_undo");
            else if (how == 1)
                table.action("Undo1")->trigger();
            else
                QTest::keyClick(table.window.get(), Qt::Key_Z, Qt::ControlModifier);
        };
        undo();
        QVERIFY(table.card(20)->isVisible());
        QVERIFY(showsImage(table.card(20), deck[20]));
        QVERIFY(showsImage(table.control<ImageButton>("image_discard"), deck[19]));
        QCOMPARE(table.text("label_score"), QStringLiteral("Score: -2"));
        QCOMPARE(table.text("label_bonus"), QStringLiteral("+1"));
        undo();
        QVERIFY(table.card(19)->isVisible());
        QCOMPARE(table.text("label_score"), QStringLiteral("Score: -3"));
        QVERIFY(!table.visible("button_undo"));
        QVERIFY(!table.action("Undo1")->isEnabled());
    }

    void clientAreaNeverShrinksBelowTheBoard() {
        Table table;
        QVERIFY(table.show());
        table.window->resize(300, 200);
        QTRY_VERIFY(table.window->centralWidget()->width() >= 771);
        QTRY_VERIFY(table.window->centralWidget()->height() >= 500);
        table.window->resize(771, table.window->height());
        QTRY_COMPARE(table.window->centralWidget()->width(), 771);
    }

    // The Help page on keys and deals names the menu items and keys as the window has them.
    void helpNamesTheMenuItemsAndKeysAsTheyAre() {
        Table table;
        auto* page = table.window->findChild<QTextEdit*>("memo6");
        QVERIFY(page);
        const QString text = page->toPlainText();
        for (const char* item : {"SelectDeal1", "RestartDeal1", "Hint1"})
            QVERIFY2(text.contains("Game > " + table.action(item)->text()), item);
        for (const char* item : {"WinnableDeals1", "AnimateCards1"})
            QVERIFY2(text.contains("Options > " + table.action(item)->text()), item);
        for (const char* item : {"StartGame1", "Undo1", "Hint1", "Help2"}) {
            const QString key = table.action(item)->shortcut().toString();
            QVERIFY2(text.contains("\n" + key + ": "), qPrintable(key));
        }
    }

    void helpAndAboutOpenFromTheMenu() {
        Table table;
        QVERIFY(table.show());
        table.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(table.window.get()));
        Thelp* help = table.window->findChild<Thelp*>();
        Tabout* about = table.window->findChild<Tabout*>();
        QVERIFY(help && about);
        QVERIFY(!help->isVisible() && !about->isVisible());

        QTest::keyClick(table.window.get(), Qt::Key_F1);
        QTRY_VERIFY(help->isVisible());
        table.action("About1")->trigger();
        QTRY_VERIFY(about->isVisible());
        QVERIFY(table.window->isVisible());
    }

    void logoOpensTheMakersSiteWithoutTheAboutWindow() {
        Table table;
        QVERIFY(table.show());
        QStringList opened;
        const TURL::Opener previous = TURL::setOpener([&](const QString& address) {
            opened << address;
            return true;
        });
        table.click("image_logo");
        TURL::setOpener(previous);
        QCOMPARE(opened, QStringList({"http://" + QString::fromLatin1(kMakerSite)}));
        QVERIFY(!table.window->findChild<Tabout*>()->isVisible());
    }

    void exitClosesTheWindow() {
        Table table;
        QVERIFY(table.show());
        table.action("Exit1")->trigger();
        QVERIFY(!table.window->isVisible());
        QVERIFY(QFile::exists(table.settingsPath()));
    }
};

QTEST_MAIN(TstMainForm)
#include "tst_mainform.moc"
