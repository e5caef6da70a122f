// An exact solver for the peaks game: a depth-first search over (board, stock position, discard
// rank) that remembers the states it has seen lose.
#include "solver.h"

#include "card.h"

#include <algorithm>

namespace {

constexpr int kLastStock = card::kCount; // once dealpos is here the stock is empty
constexpr int kRanks = 13;
constexpr std::uint32_t kAllRanks = (1u << kRanks) - 1;

// Where each rank comes when the ranks are walked in steps of two: 0, 2, 4, .., 12, 1, 3, .., 11.
constexpr std::array<int, kRanks> kStepOf = {0, 7, 1, 8, 2, 9, 3, 10, 4, 11, 5, 12, 6};
// Longer runs of ranks prune a few more positions but cost more at every one.
constexpr int kRunLength = 3;

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
        p.cards[n] = game.slot(n).card;
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
        p.cards[n] = deck[n];
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
    m_stepCounts.fill(0);
    for (int n = 1; n <= Game::kSlots; ++n) {
        const Game::Cover& c = position.covers[n];
        // The engine's cover test: only a first coverer makes a slot coverable at all.
        m_coveredBy[n - 1] = c.a == 0 ? 0 : bit(c.a) | (c.b == 0 ? 0 : bit(c.b));
        m_keys[n - 1] = card::key(position.cards[n]);
        if (position.cards[n] != 0) {
            mask |= bit(n);
            m_slotsWithKey[m_keys[n - 1]] |= bit(n);
            ++m_stepCounts[kStepOf[m_keys[n - 1]]];
        }
    }
    for (int k = 0; k < kRanks; ++k) {
        m_neighbours[k] =
            m_slotsWithKey[(k + 1) % kRanks] | m_slotsWithKey[(k + kRanks - 1) % kRanks];
    }
    for (int p = 1; p <= card::kCount; ++p) {
        m_stockKeys[p] = card::key(position.deck[p]);
    }
    m_stockSteps[kLastStock].fill(0);
    for (int p = kLastStock; p > 0; --p) {
        m_stockSteps[p - 1] = m_stockSteps[p];
        ++m_stockSteps[p - 1][kStepOf[m_stockKeys[p]]];
    }
    m_stockFeeds[kLastStock] = 0;
    for (int p = kLastStock; p > 0; --p) {
        const int k = m_stockKeys[p];
        m_stockFeeds[p - 1] =
            m_stockFeeds[p] | 1u << (k + 1) % kRanks | 1u << (k + kRanks - 1) % kRanks;
    }
    m_beneath1.fill(0);
    for (int i = 0; i < Game::kSlots; ++i) {
        for (std::uint32_t on = m_coveredBy[i]; on != 0; on &= on - 1) {
            m_beneath1[__builtin_ctz(on)] |= 1u << i;
        }
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
    const bool won = search(mask, uncovered(mask), dealpos, card::key(position.discard));
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
    const std::uint32_t fedByStock = m_stockFeeds[dealpos];
    for (std::uint32_t ranks = ~fedByStock & kAllRanks; ranks != 0; ranks &= ranks - 1) {
        const int k = __builtin_ctz(ranks);
        const std::uint32_t feeders = m_neighbours[k] & mask;
        for (std::uint32_t here = m_slotsWithKey[k] & mask & ~playable; here != 0;
             here &= here - 1) {
            if ((feeders & ~m_beneath[__builtin_ctz(here)]) == 0) {
                return true;
            }
        }
    }
    return false;
}

// Every card played goes onto one a rank away: the discard now, a later stock card or another
// board card, each of them taken by one card at most. When the cards of a few ranks outnumber
// all that could lie beneath them, the board cannot be cleared. Ranks two apart share their
// neighbours, so the sets worth counting are runs of every second rank; runs of up to three
// catch nearly every such board and cost little.
bool Solver::shortOfPredecessors(int dealpos, int key) const {
    // Walking the ranks in steps of two, rank r - 1 lies six steps on and rank r + 1 seven.
    int supply[2 * kRanks];
    int demand[2 * kRanks];
    const std::array<int, kRanks>& stock = m_stockSteps[dealpos];
    for (int i = 0; i < kRanks; ++i) {
        demand[i] = demand[i + kRanks] = m_stepCounts[i];
        supply[i] = supply[i + kRanks] = m_stepCounts[i] + stock[i];
    }
    ++supply[kStepOf[key]];
    ++supply[kStepOf[key] + kRanks];
    for (int i = 0; i < kRanks; ++i) {
        if (demand[i] == 0) {
            continue;
        }
        int need = 0;
        int have = supply[i + 6];
        for (int run = 0; run < kRunLength; ++run) {
            need += demand[i + run];
            have += supply[i + run + 7];
            if (need > have) {
                return true;
            }
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

// The uncovered cards once the card in slot i + 1 has gone from a board whose uncovered cards
// were `open`: only the slots it lay on can have come free.
std::uint32_t Solver::uncoveredAfter(std::uint32_t rest, std::uint32_t open, int i) const {
    open &= ~(1u << i);
    for (std::uint32_t under = m_beneath1[i] & rest; under != 0; under &= under - 1) {
        const int j = __builtin_ctz(under);
        if ((m_coveredBy[j] & rest) == 0) {
            open |= 1u << j;
        }
    }
    return open;
}

bool Solver::search(std::uint32_t mask, std::uint32_t open, int dealpos, int key) {
    if (mask == 0) {
        return true;
    }
    // The stop flag is shared with another thread; looking at it now and then is enough.
    constexpr std::uint64_t kStopCheckNodes = 1023;
    if (++m_nodes > m_nodeLimit ||
        ((m_nodes & kStopCheckNodes) == 0 && m_stop && m_stop->load(std::memory_order_relaxed))) {
        m_cutOff = true;
        return false;
    }
    // What a discard rank allows: the uncovered cards one rank from it. The future of a position
    // depends on its discard only through this set.
    const auto fits = [&](int k) { return open & m_neighbours[k]; };
    const std::uint32_t playableNow = fits(key);
    // A discard that allows no more than one known to lose here loses as well.
    const std::uint64_t place = placeWord(mask, dealpos);
    for (std::uint32_t lost = m_failed.ranks(place); lost != 0; lost &= lost - 1) {
        if ((fits(__builtin_ctz(lost)) & playableNow) == playableNow) {
            return false;
        }
    }
    if (stranded(mask, dealpos, playableNow) || shortOfPredecessors(dealpos, key)) {
        m_failed.add(place, key);
        return false;
    }
    // Lower rows first: on most deals that finds a winning line with the fewest detours.
    for (std::uint32_t playable = playableNow; playable != 0;) {
        const int i = 31 - __builtin_clz(playable);
        playable &= ~(1u << i);
        m_line.push_back(i + 1);
        --m_stepCounts[kStepOf[m_keys[i]]];
        const std::uint32_t rest = mask & ~(1u << i);
        if (search(rest, uncoveredAfter(rest, open, i), dealpos, m_keys[i])) {
            return true;
        }
        ++m_stepCounts[kStepOf[m_keys[i]]];
        m_line.pop_back();
        if (m_cutOff) {
            return false;
        }
    }
    if (dealpos < kLastStock) {
        m_line.push_back(kStock);
        if (search(mask, open, dealpos + 1, m_stockKeys[dealpos + 1])) {
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
    std::optional<std::uint32_t> found;
    solver.setStop(stop);
    while (!found && !(stop && stop->load(std::memory_order_relaxed))) {
        const std::uint32_t number = random.seed();
        const Game::Deck deck = Game::shuffle(random);
        if (solver.solve(Solver::Position::dealt(deck)).verdict == Solver::Verdict::Winnable) {
            found = number;
        }
    }
    solver.setStop(nullptr);
    return found;
}
