// Move lines: a game's moves from its deal on as one line of text ("19.s.24.u.24"), and the
// replay that plays such a line again on its deal with the engine itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace moveline {

// Moves as numbers: slots 1..28 play a card, these two stand for the stock and for Undo.
constexpr int kStock = 0;
constexpr int kUndo = -1;

// A game without Undo takes at most 28 cards and 24 stock clicks; Undo lets a player go back
// and forth, and this many moves leave room for a long game of second thoughts. The bound keeps
// the longest replay (an undo, which restores a snapshot, for every other move) near a
// millisecond and a posted line (three characters a move at most) well inside the 8 KiB that
// web servers take as a request's header.
constexpr std::size_t kMaxMoves = 1000;
constexpr std::size_t kMaxLength = kMaxMoves * 3 - 1;

// Reads a line of moves: slot numbers 1..28 without leading zeros, "s" and "u", joined by ".".
// An empty line holds no moves. False with the reason in `why` for anything else, and for a
// line longer than kMaxLength characters or kMaxMoves moves.
bool parse(std::string_view line, std::vector<int>& moves, std::string& why);

// The line of a list of moves, as Game::moveLine writes it.
std::string format(const std::vector<int>& moves);

struct Outcome {
    bool legal = false;          // every move could be made when its turn came
    std::size_t illegalMove = 0; // the first move that could not (1-based), 0 if none
    int score = 0;               // the score when the replay stopped
    bool cleared = false;        // the board was cleared
    std::string why;             // why the line is not a won game, empty when it is
};

// Deals `deal` as Game::startDeal does and plays the moves one by one. A card move must play
// an uncovered card that fits the discard, a stock click and an undo need a game in progress
// (an undo also a move to take back); the replay stops at the first move that breaks this.
Outcome replay(std::uint32_t deal, const std::vector<int>& moves);

} // namespace moveline
