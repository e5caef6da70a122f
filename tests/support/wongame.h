// A game won on a numbered deal by the solver's line, with one move taken back and made again
// on the way, as the engine records it: the deal, the move line and the final score.
#pragma once

#include "game.h"
#include "solver.h"

#include <cstdint>
#include <stdexcept>
#include <string>

struct WonGame {
    std::uint32_t deal = 0;
    std::string moves;
    int score = 0;
};

inline WonGame wonGame(std::uint32_t deal) {
    Random random(deal);
    Solver solver;
    const Solver::Result result = solver.solve(Solver::Position::dealt(Game::shuffle(random)));
    if (result.verdict != Solver::Verdict::Winnable)
        throw std::runtime_error("deal " + std::to_string(deal) + " cannot be won");
    Game game;
    game.startDeal(deal);
    for (std::size_t i = 0; i < result.line.size(); ++i) {
        const int move = result.line[i];
        const auto play = [&] {
            move == Solver::kStock ? game.image_stockClick() : game.card_19Click(move);
        };
        play();
        if (i == 2) {
            // A stock click is taken back in two steps.
            game.button_undoClick();
            if (move == Solver::kStock)
                game.button_undoClick();
            play();
        }
    }
    if (game.playing())
        throw std::runtime_error("the solver's line did not clear the board");
    return {deal, game.moveLine(), game.score()};
}
