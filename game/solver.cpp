// An exact solver for the peaks game: a depth-first search over (board, stock position, discard
// rank) that remembers the states it has seen lose.
#include "solver.h"

#include "card.h"

#include <algorithm>

namespace {

constexpr int kLastStock = card::kCount; // once dealpos is here the stock is empty
constexpr int kRanks = 13;

// Where each rank comes when the ranks are walked in steps of two: 0, 2, 4, .., 12, 1, 3, .., 11.
constexpr std::array<int, kRanks> kStepOf = {0, 7, 1, 8, 2, 9, 3, 10, 4, 11, 5, 12, 6};

std::uint32_t bit(int slot) {
    return 1u << (slot - 1);
}

// A table word: 28 bits of board and 6 of stock position (the place), 13 bits of discard ranks
// known to lose there, and the search's generation in the rest.
constexpr int kRanksShift = 34;
constexpr int kGenerationShift = kRanksShift + kRanks;
constexpr std::uint64_t kPlaceMask = (std::uint64_t{1} << kRanksShift) - 1;
constexpr std::uint64_t kGenerations = std::uint64_t{1} << (64 - kGenerationShift);

std::uint64_t placeWord(std::uint32_t mask, int dealpos) {
    return mask | static_cast<std::uint64_t>(dealpos) << 28;
}

std::uint64_t mix(std::uint64_t x) {
    x ^= x >> 29;
    x *= 0xbf58476d1ce4e5b9u;
    x ^= x >> 32;
    return x;
}

} // namespace

// --- Positions ------------------------------------------------------------------------------

Solver::Position Solver::Position::of(const Game& game) {
    Position p;
    for (int n = 1; n <= Game::kSlots; ++n) {
        p.slots[n] = game.slot(n).card;
        p.covers[n] = game.covers(n);
    }
    p.deck = game.deck();
    p.dealpos = game.dealpos();
    p.discard = game.discard();
    return p;
}

Solver::Position Solver::Position::dealt(const Game::Deck& deck) {
    // The cover table is the engine's own, as a fresh game holds it.
    static const Game empty;
    Position p;
    for (int n = 1; n <= Game::kSlots; ++n) {
        p.slots[n] = deck[n];
        p.covers[n] = empty.covers(n);
    }
    p.deck = deck;
    p.dealpos = Game::kDiscardStart;
    p.discard = deck[Game::kDiscardStart];
    return p;
}

// --- Failed states --------------------------------------------------------------------------

Solver::FailedTable::FailedTable() : m_words(std::size_t{1} << 16, 0) {}

void Solver::FailedTable::newSearch() {
    ++m_generation;
    m_count = 0;
    if (m_generation == kGenerations) {
        std::fill(m_words.begin(), m_words.end(), 0);
        m_generation = 1;
    }
}

// The slot holding `place`, or the empty one where it would go. A word of an earlier search
// counts as empty: nothing of this search lies beyond it.
std::size_t Solver::FailedTable::find(std::uint64_t place) const {
    const std::size_t wrap = m_words.size() - 1;
    std::size_t i = mix(place) & wrap;
    while (m_words[i] >> kGenerationShift == m_generation && (m_words[i] & kPlaceMask) != place) {
        i = (i + 1) & wrap;
    }
    return i;
}

std::uint32_t Solver::FailedTable::ranks(std::uint64_t place) const {
    const std::uint64_t word = m_words[find(place)];
    return word >> kGenerationShift == m_generation
               ? static_cast<std::uint32_t>(word >> kRanksShift) & ((1u << kRanks) - 1)
               : 0;
}

void Solver::FailedTable::add(std::uint64_t place, int key) {
    if (2 * (m_count + 1) > m_words.size()) {
        grow();
    }
    std::uint64_t& word = m_words[find(place)];
    if (word >> kGenerationShift != m_generation) {
        word = place | m_generation << kGenerationShift;
        ++m_count;
    }
    word |= std::uint64_t{1} << (kRanksShift + key);
}

void Solver::FailedTable::grow() {
    std::vector<std::uint64_t> old(m_words.size() * 2, 0);
    old.swap(m_words);
    for (std::uint64_t word : old) {
        if (word >> kGenerationShift == m_generation) {
            m_words[find(word & kPlaceMask)] = word;
        }
    }
}

// --- Search ---------------------------------------------------------------------------------

Solver::Solver(std::uint64_t nodeLimit) : m_nodeLimit(nodeLimit) {}

Solver::Result Solver::solve(const Position& position) {
    std::uint32_t mask = 0;
    m_slotsWithKey.fill(0);
    m_counts.fill(0);
    for (int n = 1; n <= Game::kSlots; ++n) {
        const Game::Cover& c = position.covers[n];
        // The engine's cover test: only a first coverer makes a slot coverable at all.
        m_coveredBy[n - 1] = c.a == 0 ? 0 : bit(c.a) | (c.b == 0 ? 0 : bit(c.b));
        m_keys[n - 1] = card::key(position.slots[n]);
        if (position.slots[n] != 0) {
            mask |= bit(n);
            m_slotsWithKey[m_keys[n - 1]] |= bit(n);
            ++m_counts[m_keys[n - 1]];
        }
    }
    for (int k = 0; k < kRanks; ++k) {
        m_neighbours[k] =
            m_slotsWithKey[(k + 1) % kRanks] | m_slotsWithKey[(k + kRanks - 1) % kRanks];
    }
    for (int p = 1; p <= card::kCount; ++p) {
        m_stockKeys[p] = card::key(position.deck[p]);
    }
    m_stockCounts[kLastStock].fill(0);
    for (int p = kLastStock; p > 0; --p) {
        m_stockCounts[p - 1] = m_stockCounts[p];
        ++m_stockCounts[p - 1][m_stockKeys[p]];
    }
    m_stockFeeds[kLastStock] = 0;
    for (int p = kLastStock; p > 0; --p) {
        const int k = m_stockKeys[p];
        m_stockFeeds[p - 1] = m_stockFeeds[p] | 1u << (k + 1) % kRanks |
                              1u << (k + kRanks - 1) % kRanks;
    }
    // A slot lies beneath another when that one covers it, directly or through others; covers
    // lie on higher slot numbers, but the table may come from a restored line, so iterate.
    m_beneath.fill(0);
    for (bool changed = true; changed;) {
        changed = false;
        for (int i = 0; i < Game::kSlots; ++i) {
            for (std::uint32_t on = m_coveredBy[i]; on != 0; on &= on - 1) {
                const int j = __builtin_ctz(on);
                const std::uint32_t grown = m_beneath[j] | 1u << i | m_beneath[i];
                changed = changed || grown != m_beneath[j];
                m_beneath[j] = grown;
            }
        }
    }
    m_nodes = 0;
    m_cutOff = false;
    m_line.clear();
    m_failed.newSearch();

    Result result;
    const int dealpos = std::min(std::max(position.dealpos, 0), kLastStock);
    const bool won = search(mask, dealpos, card::key(position.discard));
    result.nodes = m_nodes;
    if (won) {
        result.verdict = Verdict::Winnable;
        result.line = m_line;
    } else {
        result.verdict = m_cutOff ? Verdict::Unknown : Verdict::Unwinnable;
    }
    return result;
}

// True when a card left on the board can never be played: no later stock card, no other board
// card that can be played before it, and not the discard now is one rank from it.
bool Solver::stranded(std::uint32_t mask, int dealpos, std::uint32_t playable) const {
    const std::uint32_t fedByStock = dealpos < kLastStock ? m_stockFeeds[dealpos] : 0;
    for (int k = 0; k < kRanks; ++k) {
        const std::uint32_t here = m_slotsWithKey[k] & mask & ~playable;
        if (here == 0 || (fedByStock >> k & 1)) {
            continue;
        }
        const std::uint32_t feeders = m_neighbours[k] & mask;
        for (std::uint32_t rest = here; rest != 0; rest &= rest - 1) {
            if ((feeders & ~m_beneath[__builtin_ctz(rest)]) == 0) {
                return true;
            }
        }
    }
    return false;
}

// Every card played follows one a rank away: the discard now, a later stock card or another board
// card, each followed by one card at most. When the cards of some ranks outnumber all that could
// go before them, the board cannot be cleared. Ranks two apart share their neighbours, so the
// sets worth counting are runs of every second rank.
bool Solver::shortOfPredecessors(int dealpos, int key) const {
    const std::array<int, kRanks>& stock = m_stockCounts[dealpos];
    // Ranks in steps of two, twice round, with the supply of the rank below and above each.
    int below[2 * kRanks];
    int above[2 * kRanks];
    int own[2 * kRanks];
    for (int k = 0; k < kRanks; ++k) {
        const int supply = m_counts[k] + stock[k] + (k == key ? 1 : 0);
        // Rank k lies below rank k + 1 and above rank k - 1; in steps of two these sit at
        // kStepOf[(k + 1) % 13] and kStepOf[(k + 12) % 13].
        below[kStepOf[k == kRanks - 1 ? 0 : k + 1]] = supply;
        above[kStepOf[k == 0 ? kRanks - 1 : k - 1]] = supply;
        own[kStepOf[k]] = m_counts[k];
    }
    // A run of every second rank needs the ranks just below each of its cards and the one just
    // above its last. The run ending at each step with the least to spare is kept as it goes.
    int spare = 0;
    for (int step = 0; step < 2 * kRanks; ++step) {
        const int i = step < kRanks ? step : step - kRanks;
        const int gain = below[i] - own[i];
        spare = step == 0 ? gain : std::min(gain, spare + gain);
        if (spare + above[i] < 0) {
            return true;
        }
    }
    return false;
}

std::uint32_t Solver::uncovered(std::uint32_t mask) const {
    std::uint32_t covered = 0;
    for (std::uint32_t rest = mask; rest != 0; rest &= rest - 1) {
        const int i = __builtin_ctz(rest);
        if (m_coveredBy[i] & mask) {
            covered |= 1u << i;
        }
    }
    return mask & ~covered;
}

bool Solver::search(std::uint32_t mask, int dealpos, int key) {
    if (mask == 0) {
        return true;
    }
    if (++m_nodes > m_nodeLimit) {
        m_cutOff = true;
        return false;
    }
    // What a discard rank allows: the uncovered cards one rank from it. The future of a position
    // depends on its discard only through this set.
    const std::uint32_t open = uncovered(mask);
    const auto fits = [&](int k) { return open & m_neighbours[k]; };
    const std::uint32_t playableNow = fits(key);
    if (stranded(mask, dealpos, playableNow) || shortOfPredecessors(dealpos, key)) {
        return false;
    }
    // A discard that allows no more than one known to lose here loses as well.
    const std::uint64_t place = placeWord(mask, dealpos);
    for (std::uint32_t lost = m_failed.ranks(place); lost != 0; lost &= lost - 1) {
        if ((fits(__builtin_ctz(lost)) & playableNow) == playableNow) {
            return false;
        }
    }
    for (std::uint32_t playable = playableNow; playable != 0; playable &= playable - 1) {
        const int i = __builtin_ctz(playable);
        m_line.push_back(i + 1);
        --m_counts[m_keys[i]];
        if (search(mask & ~(1u << i), dealpos, m_keys[i])) {
            return true;
        }
        ++m_counts[m_keys[i]];
        m_line.pop_back();
        if (m_cutOff) {
            return false;
        }
    }
    if (dealpos < kLastStock) {
        m_line.push_back(kStock);
        if (search(mask, dealpos + 1, m_stockKeys[dealpos + 1])) {
            return true;
        }
        m_line.pop_back();
        if (m_cutOff) {
            return false;
        }
    }
    m_failed.add(place, key);
    return false;
}

// --- Winnable deals -------------------------------------------------------------------------

std::optional<std::uint32_t> firstWinnableDeal(std::uint32_t seed, Solver& solver,
                                               const std::atomic<bool>* stop) {
    Random random(seed);
    while (!(stop && stop->load(std::memory_order_relaxed))) {
        const std::uint32_t number = random.seed();
        const Game::Deck deck = Game::shuffle(random);
        if (solver.solve(Solver::Position::dealt(deck)).verdict == Solver::Verdict::Winnable) {
            return number;
        }
    }
    return std::nullopt;
}
