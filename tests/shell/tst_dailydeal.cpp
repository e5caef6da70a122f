// Game > Deal of the Day: one deal per date, the same in every run, winnable, and named so on
// the table; other deals are not taken for it.
#include "tablefixture.h"

#include "daily.h"
#include "highscoreform.h"
#include "solver.h"

namespace {

// Deals the Deal of the Day for `date` in a fresh window and returns its number.
std::uint32_t dealOfTheDay(const QDate& date, QString* label = nullptr) {
    Table table;
    if (!table.show())
        return 0;
    table.window->setToday(date);
    table.action("DealOfTheDay1")->trigger();
    if (!QTest::qWaitFor([&] { return table.window->game().playing(); }, 20000))
        return 0;
    if (label)
        *label = table.text("label_deal");
    return table.window->game().dealNumber().value_or(0);
}

} // namespace

class TstDailyDeal : public QObject {
    Q_OBJECT

private slots:
    void theSameDateGivesTheSameWinnableDealInEveryRun() {
        const QDate date(2026, 12, 8);
        QString label;
        const std::uint32_t first = dealOfTheDay(date, &label);
        QCOMPARE(dealOfTheDay(date), first);
        QCOMPARE(label, QStringLiteral("Deal of the Day 2026-12-08 (deal %1)").arg(first));
        QCOMPARE(std::optional<std::uint32_t>(first), daily::deal({2026, 12, 8}));
        const std::uint32_t next = dealOfTheDay(date.addDays(1));
        QVERIFY(next != first);
        for (std::uint32_t number : {first, next}) {
            Random random(number);
            Solver solver;
            QVERIFY(solver.solve(Solver::Position::dealt(Game::shuffle(random))).verdict ==
                    Solver::Verdict::Winnable);
        }
    }

    void onlyTheDaysDealIsPlayedAsTheDaysDeal() {
        Table table;
        QVERIFY(table.show());
        table.window->setToday(QDate(2026, 12, 8));
        table.action("DealOfTheDay1")->trigger();
        QTRY_VERIFY(table.window->game().playing());
        const std::uint32_t number = *table.window->game().dealNumber();
        QCOMPARE(table.window->dailyGameDate(), QStringLiteral("2026-12-08"));
        QCOMPARE(table.window->highscoreWindow()->dailyDate(), QStringLiteral("2026-12-08"));

        // The same deal again is still the day's; a new deal is not, nor is its restart.
        table.click("image_stock");
        table.action("RestartDeal1")->trigger();
        QCOMPARE(table.window->game().dealNumber(), std::optional<std::uint32_t>(number));
        QCOMPARE(table.window->dailyGameDate(), QStringLiteral("2026-12-08"));
        table.window->game().random().setSeed(number + 1);
        table.click("button_start");
        QCOMPARE(table.window->dailyGameDate(), QString());
        QCOMPARE(table.text("label_deal"), QStringLiteral("Deal %1").arg(number + 1));
        table.action("RestartDeal1")->trigger();
        QCOMPARE(table.window->dailyGameDate(), QString());
        QCOMPARE(table.count("startgame"), 4);
    }
};

QTEST_MAIN(TstDailyDeal)
#include "tst_dailydeal.moc"
