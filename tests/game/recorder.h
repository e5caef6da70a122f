// Test support for the engine: a listener that records every cue, and stacked decks.
#pragma once

#include "card.h"
#include "game.h"

#include <algorithm>
#include <map>
#include <string>
#include <vector>

class Recorder : public GameListener {
public:
    void playsounds(const std::string& name) override { cues.push_back("sound=" + name); }
    void addtomineincrease(int column) override {
        cues.push_back("increase:" + std::to_string(column));
    }
    void checkforhigher(int column, int value) override {
        cues.push_back("higher:" + std::to_string(column) + ":" + std::to_string(value));
    }
    void checkscore(int score, const std::string& name) override {
        cues.push_back("checkscore:" + std::to_string(score) + ":" + name);
    }
    std::string playerName() override { return name; }
    void hidePanels() override { cues.push_back("hidepanels"); }
    void showLostPanel(bool front) override { cues.push_back(front ? "lost:front" : "lost"); }
    void showClearedPanel() override { cues.push_back("cleared"); }

    // The cues since the last call.
    std::vector<std::string> take() {
        std::vector<std::string> out;
        out.swap(cues);
        return out;
    }
    bool heard(const std::string& cue) const {
        return std::find(cues.begin(), cues.end(), cue) != cues.end();
    }

    std::vector<std::string> cues;
    std::string name = "Guest";
};

// A card of the given rank (1 Ace .. 13 King) and suit (0..3).
constexpr int cardOf(int rank, int suit) {
    return suit * 13 + rank;
}

// A deck with the given cards at the given deal positions; the other positions take the unused
// cards in ascending order.
inline Game::Deck stackedDeck(const std::map<int, int>& placed) {
    Game::Deck deck{};
    std::vector<bool> used(card::kCount + 1, false);
    for (const auto& [position, c] : placed) {
        deck[position] = c;
        used[c] = true;
    }
    int next = 1;
    for (int p = 1; p <= card::kCount; ++p) {
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

// The order in which a whole board can be cleared: bottom row, then each row above it.
inline std::vector<int> clearingOrder() {
    std::vector<int> order;
    for (int first : {19, 10, 4, 1}) {
        const int last = first == 19 ? 28 : first == 10 ? 18 : first == 4 ? 9 : 3;
        for (int s = first; s <= last; ++s) {
            order.push_back(s);
        }
    }
    return order;
}

// A deck whose board can be cleared in clearingOrder(), each card one rank above the last, starting
// on the card at `startPosition` (an Ace) — 29, the discard starter, or a stock position.
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
