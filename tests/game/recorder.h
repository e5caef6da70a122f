// Test support for the engine: a listener that records every cue, and stacked decks.
#pragma once

#include "decks.h"
#include "game.h"

#include <algorithm>
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
    void checkscore(int score) override { cues.push_back("checkscore:" + std::to_string(score)); }
    std::string playerName() override { return name; }
    void hidePanels() override { cues.push_back("hidepanels"); }
    void showLostPanel(bool front) override { cues.push_back(front ? "lost:front" : "lost"); }
    void showClearedPanel() override { cues.push_back("cleared"); }
    void gameOver() override { cues.push_back("over"); }

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
