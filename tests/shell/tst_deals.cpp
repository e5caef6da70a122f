// Deal numbers, Select Deal, Restart Deal, hints and "Winnable deals only" in the main window.
#include "tablefixture.h"

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

    void aLostCauseIsSaidInOneLineAndTheGameGoesOn() {
        Table table;
        QVERIFY(table.show());
        table.deal(losingDeck());
        table.action("Hint1")->trigger();
        QTRY_VERIFY(table.visible("label_nowin"));
        QCOMPARE(table.text("label_nowin"), QStringLiteral("This game can no longer be won."));
        QVERIFY(!table.visible("hint_mark"));
        QVERIFY(table.window->game().playing());
        QVERIFY(!table.visible("panel_lost"));
        table.click("image_stock");
        QVERIFY(!table.visible("label_nowin"));
        QVERIFY(table.window->game().playing());
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
