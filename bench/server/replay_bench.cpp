// What checking a post costs the score program: reading the query and replaying its moves on
// the engine, for won games as players post them and for the longest line the server reads, and
// the search for a date's Deal of the Day that a daily post adds.
#include "daily.h"
#include "game.h"
#include "moveline.h"
#include "scores.h"
#include "solver.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

// Won games on deals spread over the whole range, as the engine records them.
std::vector<std::string> wonPosts(int count) {
    std::vector<std::string> posts;
    Solver solver;
    for (std::uint32_t i = 0; int(posts.size()) < count; ++i) {
        const std::uint32_t deal = i * 2654435761u;
        Random random(deal);
        const Solver::Result result = solver.solve(Solver::Position::dealt(Game::shuffle(random)));
        if (result.verdict != Solver::Verdict::Winnable)
            continue;
        Game game;
        game.startDeal(deal);
        for (int move : result.line)
            move == Solver::kStock ? game.image_stockClick() : game.card_19Click(move);
        posts.push_back("name=Load%20Test&date=12/8/26&score=" + std::to_string(game.score()) +
                        "&deal=" + std::to_string(deal) + "&moves=" + game.moveLine());
    }
    return posts;
}

void check(benchmark::State& state, const std::vector<std::string>& posts, bool mustPass) {
    std::size_t i = 0;
    for (auto _ : state) {
        scores::Post post;
        std::string why;
        const bool ok =
            scores::parseQuery(posts[i], post, why) && scores::verifyPost(post, {}, 0, why);
        if (ok != mustPass)
            state.SkipWithError(why.c_str());
        benchmark::DoNotOptimize(post.verified);
        i = (i + 1) % posts.size();
    }
    state.SetItemsProcessed(std::int64_t(state.iterations()));
}

void VerifyWonGame(benchmark::State& state) {
    static const std::vector<std::string> posts = wonPosts(500);
    check(state, posts, true);
}
BENCHMARK(VerifyWonGame);

// The most work one post can ask for: the longest line, every move legal, with an undo (which
// restores a snapshot) for every other move. It clears nothing, so it is refused at its end.
void VerifyLongestLine(benchmark::State& state) {
    std::vector<int> moves;
    while (moves.size() + 3 <= moveline::kMaxMoves) {
        moves.push_back(moveline::kStock);
        moves.push_back(moveline::kUndo);
        moves.push_back(moveline::kUndo);
    }
    const std::vector<std::string> posts = {"name=a&date=12/8/26&score=0&deal=7&moves=" +
                                            moveline::format(moves)};
    check(state, posts, false);
}
BENCHMARK(VerifyLongestLine);

void DealOfTheDay(benchmark::State& state) {
    std::int64_t day = daily::dayNumber({2026, 1, 1});
    for (auto _ : state) {
        benchmark::DoNotOptimize(daily::deal(daily::dateOfDay(day)));
        day = day == daily::dayNumber({2026, 12, 31}) ? daily::dayNumber({2026, 1, 1}) : day + 1;
    }
}
BENCHMARK(DealOfTheDay);

} // namespace

BENCHMARK_MAIN();
