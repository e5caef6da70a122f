// The tally's rules.
#include "tally.h"

#include <charconv>

bool parseDecimal(const std::string& text, int& value) {
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+') {
        ++first;
        if (first != last && *first == '-') {
            return false;
        }
    }
    const auto result = std::from_chars(first, last, value);
    return first != last && result.ec == std::errc() && result.ptr == last;
}

Tally::Tally() {
    for (int column = 1; column <= kStatistics; ++column) {
        m_statistics[column] = "0";
    }
    setDefaults();
}

void Tally::setDefaults() {
    m_grid.setRowCount(TallyGrid::kRows);
    for (int column = 0; column <= kStatistics; ++column) {
        m_grid.setCell(column, 0, "0");
    }
    for (int r = 1; r <= kPlaces; ++r) {
        m_grid.setCell(0, r, "");
        m_grid.setCell(1, r, std::to_string(kEmptyRank));
        m_grid.setCell(2, r, "");
    }
}

void Tally::loadtally() {
    for (int column = 1; column <= kStatistics; ++column) {
        m_statistics[column] = m_grid.cell(column, 0) + (column == kWinPercentage ? "%" : "");
    }
    for (int r = 1; r <= kPlaces; ++r) {
        if (m_grid.cell(1, r).empty()) {
            m_grid.setCell(1, r, std::to_string(kEmptyRank));
        }
        TallyPlace& place = m_places[r];
        place.date = m_grid.cell(0, r);
        place.name = m_grid.cell(2, r);
        if (!parseDecimal(m_grid.cell(1, r), place.rank)) {
            place.rank = kEmptyRank;
        }
        place.score = place.rank <= kEmptyRank ? std::string() : m_grid.cell(1, r);
        place.style = PlaceStyle::Normal;
    }
    changed();
}

void Tally::showStatistic(int column, const std::string& text) {
    if (column >= 1 && column <= kStatistics) {
        m_statistics[column] = text;
    }
}

int Tally::addit(int column, int row) {
    // A counter that does not read as a number (only a damaged file can cause that) restarts
    // from 0; it must not stop every deal.
    int value = 0;
    if (!parseDecimal(m_grid.cell(column, row), value)) {
        value = 0;
    }
    ++value;
    m_grid.setCell(column, row, std::to_string(value));
    return value;
}

void Tally::addtomineincrease(int column) {
    const std::string text = std::to_string(addit(column, 0));
    m_grid.setCell(column, 0, text);
    showStatistic(column, text);
    if (column == kTotalGames || column == kGamesCleared) {
        // Either count moves the percentage; a cleared board shows in it at once.
        int cleared = 0, total = 0, percent = 0;
        if (parseDecimal(m_grid.cell(kGamesCleared, 0), cleared) &&
            parseDecimal(m_grid.cell(kTotalGames, 0), total) && total != 0) {
            percent = static_cast<int>(static_cast<long long>(cleared) * 100 / total);
        }
        addtomineset(kWinPercentage, std::to_string(percent));
    }
    changed();
}

void Tally::addtomineset(int column, const std::string& text) {
    m_grid.setCell(column, 0, text);
    showStatistic(column, text + (column == kWinPercentage ? "%" : ""));
    changed();
}

void Tally::checkforhigher(int column, int value) {
    int old = 0;
    if (!parseDecimal(m_grid.cell(column, 0), old)) {
        old = 0;
    }
    if (old >= value) {
        return;
    }
    const std::string text = std::to_string(value);
    m_grid.setCell(column, 0, text);
    showStatistic(column, text);
    changed();
}

bool Tally::checkscore(int score, const std::string& name) {
    for (int r = 1; r <= kPlaces; ++r) {
        m_places[r].style = PlaceStyle::Plain;
    }
    int r = 1;
    while (r <= kPlaces && m_places[r].rank > score) {
        ++r;
    }
    if (r > kPlaces) {
        changed();
        return false;
    }
    for (int q = kPlaces; q > r; --q) {
        m_places[q] = m_places[q - 1];
        for (int column = 0; column <= 2; ++column) {
            m_grid.setCell(column, q, m_grid.cell(column, q - 1));
        }
    }
    TallyPlace& place = m_places[r];
    place.rank = score;
    place.score = std::to_string(score);
    place.date = today();
    place.name = name;
    place.style = PlaceStyle::Highlighted;
    m_grid.setCell(0, r, place.date);
    m_grid.setCell(1, r, place.score);
    m_grid.setCell(2, r, place.name);
    changed();
    return true;
}

void Tally::reset() {
    m_grid.setRowCount(TallyGrid::kRows);
    m_statistics = {"", "0", "0", "0%", "0"};
    for (int column = 1; column < m_grid.colCount(); ++column) {
        m_grid.setCell(column, 0, "0");
    }
    for (int r = 1; r < m_grid.rowCount(); ++r) {
        m_grid.setCell(0, r, "");
        m_grid.setCell(1, r, std::to_string(kEmptyRank));
        m_grid.setCell(2, r, "");
    }
    for (int r = 1; r <= kPlaces; ++r) {
        m_places[r] = TallyPlace{};
        m_places[r].style = PlaceStyle::Plain;
    }
    changed();
}
