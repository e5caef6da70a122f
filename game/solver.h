// An exact solver for the peaks game: whether a position can still be cleared, and a line of
// moves that clears it. It sees every card, face down or in the stock, as the deal fixed them.
#pragma once

#include "game.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>
#include <vector>

class Solver {
public:
    // A stock click in a line; board moves are slot numbers 1..28.
    static constexpr int kStock = 0;
    // Several times what the hardest of a million fresh deals needs, yet small enough that a
    // search cut off here ends within a fraction of a second.
    static constexpr std::uint64_t kDefaultNodeLimit = 4'000'000;

    enum class Verdict { Winnable, Unwinnable, Unknown };
    struct Result {
        Verdict verdict = Verdict::Unknown;
        std::vector<int> line; // the moves of a winning line, when winnable
        std::uint64_t nodes = 0;
    };

    // What the search needs of a position: the cards left on the board, the cover table, the
    // stock order and the top of the discard pile.
    struct Position {
        std::array<int, Game::kSlots + 1> cards{}; // the card in each slot 1..28, 0 once played
        std::array<Game::Cover, Game::kSlots + 1> covers{};
        Game::Deck deck{};
        int dealpos = 0;
        int discard = 0;

        static Position of(const Game& game);
        // The position right after `deck` has been dealt.
        static Position dealt(const Game::Deck& deck);
    };

    explicit Solver(std::uint64_t nodeLimit = kDefaultNodeLimit);

    Result solve(const Position& position);
    Result solve(const Game& game) { return solve(Position::of(game)); }
    // A flag that, once set from another thread, ends the searches early with Unknown.
    void setStop(const std::atomic<bool>* stop) { m_stop = stop; }

private:
    // The discard ranks known to lose on each board at each stock position. A board and stock
    // position share one word; the words of earlier searches are told apart by a generation
    // number kept in the same word, so a new search need not clear the table.
    class FailedTable {
    public:
        FailedTable();
        void newSearch();
        // The ranks recorded for `place` (board and stock position), one bit each.
        std::uint32_t ranks(std::uint64_t place) const;
        void add(std::uint64_t place, int key);

    private:
        std::size_t find(std::uint64_t place) const;
        void grow();

        std::vector<std::uint64_t> m_words;
        std::uint64_t m_generation = 0;
        std::size_t m_count = 0;
    };

    bool search(std::uint32_t mask, std::uint32_t open, int dealpos, int key);
    std::uint32_t uncovered(std::uint32_t mask) const;
    std::uint32_t uncoveredAfter(std::uint32_t rest, std::uint32_t open, int i) const;
    bool stranded(std::uint32_t mask, int dealpos, std::uint32_t playable) const;
    bool shortOfPredecessors(int dealpos, int key) const;

    std::uint64_t m_nodeLimit;
    const std::atomic<bool>* m_stop = nullptr;
    std::uint64_t m_nodes = 0;
    bool m_cutOff = false;
    FailedTable m_failed;
    std::vector<int> m_line;

    // The position being solved, bit i standing for slot i + 1.
    std::array<int, Game::kSlots> m_keys{};
    std::array<std::uint32_t, Game::kSlots> m_coveredBy{};
    std::array<std::uint32_t, Game::kSlots> m_beneath{};  // slots playable only after this one
    std::array<std::uint32_t, Game::kSlots> m_beneath1{}; // slots this one lies on
    std::array<std::uint32_t, 53> m_stockFeeds{}; // ranks that a later stock card could take
    std::array<std::uint32_t, 13> m_slotsWithKey{};
    std::array<std::uint32_t, 13> m_neighbours{}; // slots one rank from each rank
    // Cards of each rank left on the board, and in the stock after each position, with the
    // ranks taken in steps of two (0, 2, .., 12, 1, .., 11).
    std::array<int, 13> m_stepCounts{};
    std::array<std::array<int, 13>, 53> m_stockSteps{};
    std::array<int, 53> m_stockKeys{};
};

// The first deal, from the random source's present seed on, that the solver proves winnable:
// shuffles are drawn one after another as new deals would draw them. Returns its deal number, or
// nothing when `stop` was set before one was found.
std::optional<std::uint32_t> firstWinnableDeal(std::uint32_t seed, Solver& solver,
                                               const std::atomic<bool>* stop = nullptr);
