// The tally's rules: games counted, win percentage, longest chain and the ten-place high-score
// table, kept in the tally table and mirrored in what the tally window shows.
#pragma once

#include "tallygrid.h"

#include <array>
#include <functional>
#include <string>

// How the labels of a high-score place are drawn: as the window lays them out (white, bold),
// plain (white) once a score has been offered, or red and bold for the newest entry.
enum class PlaceStyle { Normal, Plain, Highlighted };

// What the tally window shows for one high-score place.
struct TallyPlace {
    int rank = -1000; // the place's score, or -1000 for an empty place; decides the order
    std::string score;
    std::string date;
    std::string name;
    PlaceStyle style = PlaceStyle::Normal;
};

class Tally {
public:
    static constexpr int kStatistics = 4;
    static constexpr int kPlaces = 10;
    static constexpr int kEmptyRank = -1000;
    static constexpr int kTotalGames = 1;
    static constexpr int kGamesCleared = 2;
    static constexpr int kWinPercentage = 3;
    static constexpr int kLongestChain = 4;

    Tally();

    // The table as a new tally has it: zero counters, ten empty places.
    void setDefaults();
    // Fills what the window shows from the table; every place in the normal style.
    void loadtally();

    int addit(int column, int row);
    void addtomineincrease(int column);
    void addtomineset(int column, const std::string& text);
    void checkforhigher(int column, int value);
    bool checkscore(int score, const std::string& name);
    // RESET TALLY, once confirmed.
    void reset();

    TallyGrid& grid() { return m_grid; }
    const TallyGrid& grid() const { return m_grid; }
    // The text of statistics label `mylabel_<column>` (1..4).
    const std::string& statistic(int column) const { return m_statistics.at(column); }
    // Place r (1..10).
    const TallyPlace& place(int r) const { return m_places.at(r); }

    // Today's date as the system writes a short date; set by the window.
    std::function<std::string()> today = [] { return std::string(); };
    // Told after every change of what the window shows.
    std::function<void()> changed = [] {};

private:
    void showStatistic(int column, const std::string& text);

    TallyGrid m_grid;
    std::array<std::string, kStatistics + 1> m_statistics; // [0] unused
    std::array<TallyPlace, kPlaces + 1> m_places;          // [0] unused
};

// Reads a decimal integer with an optional sign; false for anything else, overflow included.
bool parseDecimal(const std::string& text, int& value);
