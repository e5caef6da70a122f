// The solver on fresh deals: the processor time per deal, as its median, 99th percentile and
// maximum over 10,000 deals, and the share of them that can be won.
#include "game.h"
#include "solver.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include <time.h>

namespace {

constexpr int kDeals = 10000;

// Deal numbers spread over the whole range, the same every run.
std::uint32_t dealNumber(int i) {
    return static_cast<std::uint32_t>(i) * 2654435761u;
}

// The processor time of this thread: on a machine shared with other work, the wall clock would
// also count the time the thread waits for its turn.
double threadMillis() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

double percentile(std::vector<double>& sorted, double share) {
    const std::size_t index =
        std::min(sorted.size() - 1, static_cast<std::size_t>(share * sorted.size()));
    return sorted[index];
}

void FreshDeals(benchmark::State& state) {
    Solver solver;
    std::vector<Solver::Position> positions;
    for (int i = 0; i < kDeals; ++i) {
        Random random(dealNumber(i));
        positions.push_back(Solver::Position::dealt(Game::shuffle(random)));
    }
    std::vector<double> millis(kDeals);
    int winnable = 0;
    int unknown = 0;
    for (auto _ : state) {
        winnable = unknown = 0;
        for (int i = 0; i < kDeals; ++i) {
            const double start = threadMillis();
            const Solver::Result result = solver.solve(positions[i]);
            millis[i] = threadMillis() - start;
            winnable += result.verdict == Solver::Verdict::Winnable;
            unknown += result.verdict == Solver::Verdict::Unknown;
        }
    }
    std::sort(millis.begin(), millis.end());
    state.counters["median_ms"] = percentile(millis, 0.5);
    state.counters["p99_ms"] = percentile(millis, 0.99);
    state.counters["max_ms"] = millis.back();
    state.counters["winnable_pct"] = 100.0 * winnable / kDeals;
    state.counters["unknown"] = unknown;
}
BENCHMARK(FreshDeals)->Iterations(1)->Unit(benchmark::kMillisecond);

// A hint in the middle of a game: the position after a few moves of a winning line.
void HintMidGame(benchmark::State& state) {
    Solver solver;
    std::vector<Game> games(100);
    for (std::size_t i = 0; i < games.size(); ++i) {
        games[i].startDeal(dealNumber(static_cast<int>(i)));
        const Solver::Result result = solver.solve(games[i]);
        for (std::size_t m = 0; m < std::min<std::size_t>(10, result.line.size()); ++m) {
            if (result.line[m] == Solver::kStock) {
                games[i].image_stockClick();
            } else {
                games[i].card_19Click(result.line[m]);
            }
        }
    }
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(solver.solve(games[next]).verdict);
        next = (next + 1) % games.size();
    }
}
BENCHMARK(HintMidGame)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
