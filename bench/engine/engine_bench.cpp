// Random legal games played through the engine's own operations: how fast a solver could search.
#include "card.h"
#include "game.h"

#include <benchmark/benchmark.h>

namespace {

// Plays one game to its end: a random legal board card when there is one (now and then the
// stock instead), otherwise the stock. Returns the number of moves made.
int playRandomGame(Game& game, Random& choice) {
    game.button_startClick();
    int moves = 0;
    int legal[Game::kSlots];
    while (game.playing()) {
        int count = 0;
        for (int n = 1; n <= Game::kSlots; ++n) {
            const int c = game.slot(n).card;
            if (c != 0 && !game.covered(n) && card::adjacent(c, game.discard())) {
                legal[count++] = n;
            }
        }
        if (count > 0 && choice.draw(8) != 0) {
            game.card_19Click(legal[choice.draw(count)]);
        } else {
            game.image_stockClick();
        }
        ++moves;
    }
    return moves;
}

void RandomGames(benchmark::State& state) {
    Game game;
    game.random().setSeed(1);
    Random choice(7);
    std::int64_t moves = 0;
    for (auto _ : state) {
        moves += playRandomGame(game, choice);
    }
    state.counters["games/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["moves/s"] =
        benchmark::Counter(static_cast<double>(moves), benchmark::Counter::kIsRate);
}
BENCHMARK(RandomGames);

// Undo after every move: the snapshot line is built and parsed back each time.
void MoveAndUndo(benchmark::State& state) {
    Game game;
    game.random().setSeed(3);
    game.button_startClick();
    for (auto _ : state) {
        game.image_stockClick();
        game.button_undoClick();
        game.button_undoClick();
        if (game.dealpos() > 50) {
            game.button_startClick();
        }
    }
    state.counters["undos/s"] = benchmark::Counter(static_cast<double>(state.iterations() * 2),
                                                   benchmark::Counter::kIsRate);
}
BENCHMARK(MoveAndUndo);

} // namespace

BENCHMARK_MAIN();
