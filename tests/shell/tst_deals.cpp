// Deal numbers, Select Deal, Restart Deal, hints and "Winnable Deals Only" in the main window.
#include "tablefixture.h"

#include "cardanimator.h"
#include "solver.h"

#include <QInputDialog>

namespace {

Game::Deck deckOfDeal(std::uint32_t number) {
    Random random(number);
    return Game::shuffle(random);
}

// The first deal number from `from` on whose deal the solver gives the verdict asked for and,
// when it is winnable, a line starting on the stock or on the board as asked.
std::uint32_t dealWhere(std::uint32_t from, Solver::Verdict verdict, bool stockFirst = false) {
    Solver solver;
    for (std::uint32_t number = from;; ++number) {
        const Solver::Result result = solver.solve(Solver::Position::dealt(deckOfDeal(number)));
        if (result.verdict == verdict && (verdict != Solver::Verdict::Winnable ||
                                          (result.line.front() == Solver::kStock) == stockFirst))
            return number;
    }
}

// The control the hint mark frames, or null.
QWidget* marked(const Table& table) {
    auto* mark = table.control<QWidget>("hint_mark");
    if (!mark->isVisible())
        return nullptr;
    for (QWidget* w : mark->parentWidget()->findChildren<ImageButton*>()) {
        if (w != mark && w->isVisible() && w->geometry().center() == mark->geometry().center() &&
            mark->geometry().contains(w->geometry()))
            return w;
    }
    return nullptr;
}

// A winnable deal and a number of stock clicks right after the deal that leave a game in
// progress which can no longer be won.
std::pair<std::uint32_t, int> winnableDealLostByTurningTheStock() {
    Solver solver;
    for (std::uint32_t number = 0;; ++number) {
        Game game;
        game.startDeal(number);
        if (solver.solve(game).verdict != Solver::Verdict::Winnable)
            continue;
        for (int clicks = 1; game.playing(); ++clicks) {
            game.image_stockClick();
            if (game.playing() && solver.solve(game).verdict == Solver::Verdict::Unwinnable)
                return {number, clicks};
        }
    }
}

// Types `number` into Game > Select Deal... and takes it with Enter, as the player does.
void selectDeal(Table& table, const QString& number) {
    table.action("SelectDeal1")->trigger();
    auto* dialog = table.window->findChild<QInputDialog*>("dialog_deal");
    QVERIFY(dialog);
    QTRY_VERIFY(dialog->isVisible());
    auto* edit = dialog->findChild<QLineEdit*>();
    edit->clear();
    QTest::keyClicks(edit, number);
    QTest::keyClick(edit, Qt::Key_Return);
    QTRY_VERIFY(!dialog->isVisible());
}

// Plays the solver's winning line through the table's controls.
void playToTheEnd(Table& table) {
    Solver solver;
    const Solver::Result result = solver.solve(table.window->game());
    QVERIFY(result.verdict == Solver::Verdict::Winnable);
    for (int move : result.line) {
        if (move == Solver::kStock)
            table.click("image_stock");
        else
            table.click(table.card(move));
    }
    QVERIFY(!table.window->game().playing());
}

} // namespace

class TstDeals : public QObject {
    Q_OBJECT

private slots:
    void dealNumberIsShownAndRestartDealsItAgain() {
        Table table;
        QVERIFY(table.show());
        QCOMPARE(table.text("label_deal"), QString());
        QVERIFY(!table.action("RestartDeal1")->isEnabled());

        table.window->game().random().setSeed(987654321u);
        table.click("button_start");
        Game& game = table.window->game();
        QCOMPARE(game.dealNumber(), std::optional<std::uint32_t>(987654321u));
        QCOMPARE(table.text("label_deal"), QStringLiteral("Deal 987654321"));
        QVERIFY(table.visible("label_deal"));
        const Game::Deck dealt = game.deck();
        QCOMPARE(dealt, deckOfDeal(987654321u));

        table.click("image_stock");
        table.action("RestartDeal1")->trigger();
        QCOMPARE(game.deck(), dealt);
        QCOMPARE(game.dealpos(), 29);
        QCOMPARE(game.historySize(), std::size_t(0));
        QCOMPARE(table.text("label_score"), QStringLiteral("Score: 0"));
        QCOMPARE(table.text("label_cardsleft"), QStringLiteral("Cards Left: 23"));
        QCOMPARE(table.text("label_deal"), QStringLiteral("Deal 987654321"));
        QCOMPARE(table.count("startgame"), 2);
    }

    void selectDealAsksForANumberAndDealsIt_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept"); // what the field takes
        QTest::addColumn<qint64>("dealt"); // -1: nothing dealt
        QTest::newRow("largest") << "4294967295"
                                 << "4294967295" << qint64(4294967295u);
        QTest::newRow("zero") << "0"
                              << "0" << qint64(0);
        QTest::newRow("letters refused") << "12a3"
                                         << "123" << qint64(123);
        QTest::newRow("too large refused") << "4294967296"
                                           << "429496729" << qint64(429496729);
        QTest::newRow("nothing typed") << ""
                                       << "" << qint64(-1);
    }
    void selectDealAsksForANumberAndDealsIt() {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QFETCH(qint64, dealt);
        Table table;
        QVERIFY(table.show());
        table.action("SelectDeal1")->trigger();
        auto* dialog = table.window->findChild<QInputDialog*>("dialog_deal");
        QVERIFY(dialog);
        QTRY_VERIFY(dialog->isVisible());
        auto* edit = dialog->findChild<QLineEdit*>();
        edit->clear();
        QTest::keyClicks(edit, typed);
        QCOMPARE(edit->text(), kept);
        QTest::keyClick(edit, Qt::Key_Return);
        QTRY_VERIFY(!dialog->isVisible());
        if (dealt < 0) {
            QVERIFY(!table.window->game().playing());
            return;
        }
        const auto number = static_cast<std::uint32_t>(dealt);
        QCOMPARE(table.window->game().dealNumber(), std::optional<std::uint32_t>(number));
        QCOMPARE(table.window->game().deck(), deckOfDeal(number));
        QCOMPARE(table.text("label_deal"), QStringLiteral("Deal %1").arg(number));
    }

    // Two runs of the program start their random sources at different times of day. After
    // Select Deal 7 each goes on with its own next deal, not with one fixed by the number.
    void selectDealLeavesEachRunItsOwnNextDeals() {
        QList<std::uint32_t> nextDeals;
        for (std::uint32_t startedAt :
             {Random::seedFromTime(9, 15, 2, 417), Random::seedFromTime(21, 40, 58, 3)}) {
            Table table;
            QVERIFY(table.show());
            Game& game = table.window->game();
            game.random().setSeed(startedAt);
            selectDeal(table, "7");
            QCOMPARE(game.dealNumber(), std::optional<std::uint32_t>(7));
            QCOMPARE(game.deck(), deckOfDeal(7));
            table.action("StartGame1")->trigger();
            QCOMPARE(game.dealNumber(), std::optional<std::uint32_t>(startedAt));
            nextDeals << *game.dealNumber();
        }
        QVERIFY(nextDeals[0] != nextDeals[1]);
    }

    // A cleared board draws its winning sound from the random source, so the deals after it
    // differ from those that followed the same deal before. Restart Deal keeps it that way.
    void restartDealDoesNotRepeatTheDealsThatFollowedIt() {
        Table table;
        QVERIFY(table.show());
        table.window->animator()->setEnabled(false);
        Game& game = table.window->game();
        game.random().setSeed(dealWhere(0, Solver::Verdict::Winnable));
        table.click("button_start");
        const std::uint32_t first = *game.dealNumber();
        const std::uint32_t followedBefore = game.random().seed();
        playToTheEnd(table);
        const std::uint32_t sequenceNow = game.random().seed();
        QVERIFY(sequenceNow != followedBefore);

        table.action("RestartDeal1")->trigger();
        QCOMPARE(game.dealNumber(), std::optional<std::uint32_t>(first));
        table.action("StartGame1")->trigger();
        QCOMPARE(game.dealNumber(), std::optional<std::uint32_t>(sequenceNow));
    }

    void hintMarksACardOfAWinningLineUntilTheNextMove() {
        Table table;
        QVERIFY(table.show());
        const std::uint32_t number = dealWhere(0, Solver::Verdict::Winnable, false);
        table.window->game().startDeal(number);
        table.window->refresh();
        QTest::keyClick(table.window.get(), Qt::Key_H);
        QTRY_VERIFY(marked(table) != nullptr);
        auto* card = qobject_cast<ImageButton*>(marked(table));
        QVERIFY(card && card->objectName().startsWith("card_"));
        const int slot = card->hint().toInt();
        Game& game = table.window->game();
        QVERIFY(!game.covered(slot));

        // An illegal click is no move: the mark stays.
        const int coveredSlot = 1;
        table.click(table.card(coveredSlot));
        QVERIFY(marked(table) == card);

        table.click(card);
        QCOMPARE(game.slot(slot).card, 0);
        QVERIFY(!table.visible("hint_mark"));
        Solver solver;
        QVERIFY(solver.solve(game).verdict == Solver::Verdict::Winnable);
    }

    void hintMarksTheStockWhenThatIsTheWay() {
        Table table;
        QVERIFY(table.show());
        table.window->game().startDeal(dealWhere(0, Solver::Verdict::Winnable, true));
        table.window->refresh();
        table.action("Hint1")->trigger();
        QTRY_VERIFY(marked(table) != nullptr);
        QCOMPARE(marked(table)->objectName(), QStringLiteral("image_stock"));
        table.action("Undo1")->trigger(); // nothing to undo: no move, the mark stays
        QVERIFY(table.visible("hint_mark"));
        table.click("image_stock");
        QVERIFY(!table.visible("hint_mark"));
    }

    // A deal that never could be won is told apart from a game whose way was lost in play.
    void aLostCauseIsSaidInOneLineAndTheGameGoesOn_data() {
        QTest::addColumn<bool>("winnableDeal");
        QTest::addColumn<int>("stockClicks"); // before the hint is asked for
        QTest::addColumn<QString>("said");
        const QString never = QStringLiteral("This deal cannot be won.");
        QTest::newRow("lost deal, asked at once") << false << 0 << never;
        QTest::newRow("lost deal, asked after a move") << false << 2 << never;
        const QString lost = QStringLiteral("This game can no longer be won.");
        QTest::newRow("way lost in play") << true << -1 << lost;
    }
    void aLostCauseIsSaidInOneLineAndTheGameGoesOn() {
        QFETCH(bool, winnableDeal);
        QFETCH(int, stockClicks);
        QFETCH(QString, said);
        Table table;
        QVERIFY(table.show());
        table.window->animator()->setEnabled(false);
        if (winnableDeal) {
            const auto [number, clicks] = winnableDealLostByTurningTheStock();
            table.window->game().startDeal(number);
            table.window->refresh();
            stockClicks = clicks;
        } else {
            table.deal(losingDeck());
        }
        for (int i = 0; i < stockClicks; ++i)
            table.click("image_stock");
        QVERIFY(table.window->game().playing());
        table.action("Hint1")->trigger();
        QTRY_VERIFY(table.visible("label_nowin"));
        QCOMPARE(table.text("label_nowin"), said);
        QVERIFY(!table.visible("hint_mark"));
        QVERIFY(table.window->game().playing());
        QVERIFY(!table.visible("panel_lost"));
        table.click("image_stock");
        QVERIFY(!table.visible("label_nowin"));
        QVERIFY(table.window->game().playing());
    }

    void hintIsOfferedOnlyWhileAGameIsPlayed() {
        Table table;
        QVERIFY(table.show());
        table.window->animator()->setEnabled(false);
        QAction* hint = table.action("Hint1");
        QVERIFY(!hint->isEnabled());
        table.deal(losingDeck());
        QVERIFY(hint->isEnabled());
        while (table.window->game().playing())
            table.click("image_stock");
        QVERIFY(table.visible("panel_lost"));
        QVERIFY(!hint->isEnabled());
        table.click("button_start2");
        QVERIFY(hint->isEnabled());
    }

    void winnableDealsOnlySkipsLostDealsAndIsKept() {
        Table table;
        QVERIFY(table.show());
        QVERIFY(!table.action("WinnableDeals1")->isChecked());
        table.action("WinnableDeals1")->trigger();
        QVERIFY(table.action("WinnableDeals1")->isChecked());
        QVERIFY(table.settingsText().contains("WinnableDeals=yes"));

        // Seeded just before a deal that cannot be won.
        const std::uint32_t lost = dealWhere(0, Solver::Verdict::Unwinnable);
        table.window->game().random().setSeed(lost);
        table.click("button_start");
        QTRY_VERIFY(table.window->game().playing());
        Game& game = table.window->game();
        Solver solver;
        const std::optional<std::uint32_t> expected = firstWinnableDeal(lost, solver);
        QCOMPARE(game.dealNumber(), expected);
        QVERIFY(*game.dealNumber() != lost);
        QCOMPARE(game.deck(), deckOfDeal(*expected));
        QCOMPARE(table.text("label_deal"), QStringLiteral("Deal %1").arg(*expected));
        QCOMPARE(table.text("label_cardsleft"), QStringLiteral("Cards Left: 23"));

        // Turned off again, the deals follow the random source one by one.
        table.action("WinnableDeals1")->trigger();
        QVERIFY(table.settingsText().contains("WinnableDeals=no"));
        const std::uint32_t next = game.random().seed();
        table.click("button_start");
        QCOMPARE(game.dealNumber(), std::optional<std::uint32_t>(next));
    }

    void theSettingIsReadBackAtStart_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("checked");
        QTest::newRow("yes") << QByteArray("[solmarin]\nWinnableDeals=yes\n") << true;
        QTest::newRow("no") << QByteArray("[solmarin]\nWinnableDeals=no\n") << false;
        QTest::newRow("missing") << QByteArray("[solmarin]\nSounds=no\n") << false;
        QTest::newRow("only yes itself") << QByteArray("[solmarin]\nWinnableDeals=1\n") << false;
    }
    void theSettingIsReadBackAtStart() {
        QFETCH(QByteArray, file);
        QFETCH(bool, checked);
        Table table(file.constData());
        QCOMPARE(table.action("WinnableDeals1")->isChecked(), checked);
    }
};

QTEST_MAIN(TstDeals)
#include "tst_deals.moc"
