// Move lines and their replay on the engine.
#include "moveline.h"

#include "game.h"

namespace moveline {

namespace {

bool readMove(std::string_view token, int& move) {
    if (token == "s") {
        move = kStock;
        return true;
    }
    if (token == "u") {
        move = kUndo;
        return true;
    }
    if (token.empty() || token.size() > 2 || token[0] < '1' || token[0] > '9') {
        return false;
    }
    int slot = token[0] - '0';
    if (token.size() == 2) {
        if (token[1] < '0' || token[1] > '9') {
            return false;
        }
        slot = slot * 10 + (token[1] - '0');
    }
    move = slot;
    return slot <= Game::kSlots;
}

std::string moveText(int move) {
    if (move == kStock) {
        return "s";
    }
    if (move == kUndo) {
        return "u";
    }
    return std::to_string(move);
}

} // namespace

bool parse(std::string_view line, std::vector<int>& moves, std::string& why) {
    moves.clear();
    if (line.size() > kMaxLength) {
        why = "the move line is longer than " + std::to_string(kMaxLength) + " characters";
        return false;
    }
    if (line.empty()) {
        return true;
    }
    std::size_t start = 0;
    for (;;) {
        const std::size_t dot = line.find('.', start);
        const std::string_view token =
            line.substr(start, dot == std::string_view::npos ? line.size() - start : dot - start);
        int move = 0;
        if (!readMove(token, move)) {
            why = "move " + std::to_string(moves.size() + 1) + " is no slot 1-28, s or u";
            return false;
        }
        if (moves.size() == kMaxMoves) {
            why = "the move line holds more than " + std::to_string(kMaxMoves) + " moves";
            return false;
        }
        moves.push_back(move);
        if (dot == std::string_view::npos) {
            return true;
        }
        start = dot + 1;
    }
}

std::string format(const std::vector<int>& moves) {
    std::string line;
    for (int move : moves) {
        if (!line.empty()) {
            line += '.';
        }
        line += moveText(move);
    }
    return line;
}

Outcome replay(std::uint32_t deal, const std::vector<int>& moves) {
    Game game;
    game.startDeal(deal);
    Outcome outcome;
    for (std::size_t i = 0; i < moves.size() && outcome.illegalMove == 0; ++i) {
        const int move = moves[i];
        if (move == kStock && game.playing()) {
            game.image_stockClick();
        } else if (move == kUndo && game.playing() && game.historySize() > 0) {
            game.button_undoClick();
        } else if (move >= 1 && game.playable(move)) {
            game.card_19Click(move);
        } else {
            outcome.illegalMove = i + 1;
            outcome.why =
                "move " + std::to_string(i + 1) + " (" + moveText(move) +
                (game.playing() ? ") is not a legal move" : ") comes after the game ended");
        }
    }
    outcome.legal = outcome.illegalMove == 0;
    outcome.score = game.score();
    outcome.cleared = !game.playing();
    for (int n = 1; n <= Game::kSlots && outcome.cleared; ++n) {
        outcome.cleared = game.slot(n).card == 0;
    }
    if (outcome.legal && !outcome.cleared) {
        outcome.why = "the moves do not clear the board";
    }
    return outcome;
}

} // namespace moveline
