// Stacked deals for tests: decks with chosen cards at chosen deal positions.
#pragma once

#include "game.h"

#include <map>
#include <vector>

// A card of the given rank (1 Ace .. 13 King) and suit (0..3).
constexpr int cardOf(int rank, int suit) {
    return suit * 13 + rank;
}

// A deck with the given cards at the given deal positions; the other positions take the unused
// cards in ascending order.
inline Game::Deck stackedDeck(const std::map<int, int>& placed) {
    Game::Deck deck{};
    std::vector<bool> used(53, false);
    for (const auto& [position, c] : placed) {
        deck[position] = c;
        used[c] = true;
    }
    int next = 1;
    for (int p = 1; p <= 52; ++p) {
        if (deck[p] != 0) {
            continue;
        }
        while (used[next]) {
            ++next;
        }
        deck[p] = next;
        used[next] = true;
    }
    return deck;
}

// The order in which a whole board can be cleared: the bottom row, then each row above it.
inline std::vector<int> clearingOrder() {
    std::vector<int> order;
    for (int s = 19; s <= 28; ++s) {
        order.push_back(s);
    }
    for (int s = 10; s <= 18; ++s) {
        order.push_back(s);
    }
    for (int s = 4; s <= 9; ++s) {
        order.push_back(s);
    }
    for (int s = 1; s <= 3; ++s) {
        order.push_back(s);
    }
    return order;
}

// A deck whose board is cleared by playing clearingOrder(), each card one rank above the last,
// starting on the Ace at `startPosition`: 29, the discard starter, or a stock position.
inline Game::Deck winnableDeck(int startPosition = Game::kDiscardStart) {
    std::map<int, int> placed;
    int uses[14] = {};
    auto take = [&](int rank) { return cardOf(rank, uses[rank]++); };
    placed[startPosition] = take(1);
    int rank = 1;
    for (int slot : clearingOrder()) {
        rank = rank % 13 + 1;
        placed[slot] = take(rank);
    }
    return stackedDeck(placed);
}

// A deck lost on the last stock card: the bottom row holds only 7s, 8s and 9s, and the discard
// and the stock only cards that fit none of them.
inline Game::Deck losingDeck() {
    std::map<int, int> placed;
    const int bottom[10] = {cardOf(7, 0), cardOf(7, 1), cardOf(7, 2), cardOf(7, 3), cardOf(8, 0),
                            cardOf(8, 1), cardOf(8, 2), cardOf(8, 3), cardOf(9, 0), cardOf(9, 1)};
    for (int i = 0; i < 10; ++i) {
        placed[19 + i] = bottom[i];
    }
    const int farRanks[8] = {1, 2, 3, 4, 5, 11, 12, 13};
    int position = 29;
    for (int suit = 0; suit < 4; ++suit) {
        for (int r : farRanks) {
            if (position <= 52) {
                placed[position++] = cardOf(r, suit);
            }
        }
    }
    return stackedDeck(placed);
}
