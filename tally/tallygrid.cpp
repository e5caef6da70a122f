// The tally table and its plain-text form.
#include "tallygrid.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

namespace {

// Counts beyond these cannot come from the program; a damaged file must not make us allocate
// without bound.
constexpr int kMaxColumns = 1000;
constexpr int kMaxRows = 1000;

const std::string kEmpty;

// Splits text into lines ended by LF, CR LF or a lone CR at the very end.
class LineReader {
public:
    explicit LineReader(const std::string& text) : m_text(text) {}

    // The next line, or an empty one past the end.
    std::string next() {
        if (m_pos >= m_text.size()) {
            return {};
        }
        std::size_t end = m_text.find('\n', m_pos);
        if (end == std::string::npos) {
            end = m_text.size();
        }
        std::size_t stop = end;
        if (stop > m_pos && m_text[stop - 1] == '\r') {
            --stop;
        }
        std::string line = m_text.substr(m_pos, stop - m_pos);
        m_pos = end + 1;
        return line;
    }

private:
    const std::string& m_text;
    std::size_t m_pos = 0;
};

int parseCount(const std::string& line, int limit) {
    std::size_t first = line.find_first_not_of(" \t");
    std::size_t last = line.find_last_not_of(" \t");
    int value = -1;
    if (first != std::string::npos) {
        const char* begin = line.data() + first;
        const char* end = line.data() + last + 1;
        const auto result = std::from_chars(begin, end, value);
        if (result.ec != std::errc() || result.ptr != end) {
            value = -1;
        }
    }
    if (value < 0 || value > limit) {
        throw std::runtime_error("'" + line + "' is not a valid integer value");
    }
    return value;
}

} // namespace

void TallyGrid::resize(int columns, int rows) {
    std::vector<std::string> cells(static_cast<std::size_t>(columns) * rows);
    for (int c = 0; c < columns && c < m_columns; ++c) {
        for (int r = 0; r < rows && r < m_rows; ++r) {
            cells[static_cast<std::size_t>(c) * rows + r] =
                std::move(m_cells[static_cast<std::size_t>(c) * m_rows + r]);
        }
    }
    m_cells = std::move(cells);
    m_columns = columns;
    m_rows = rows;
}

const std::string& TallyGrid::cell(int column, int row) const {
    return inside(column, row) ? m_cells[static_cast<std::size_t>(column) * m_rows + row] : kEmpty;
}

void TallyGrid::setCell(int column, int row, const std::string& text) {
    if (inside(column, row)) {
        m_cells[static_cast<std::size_t>(column) * m_rows + row] = text;
    }
}

bool TallyGrid::operator==(const TallyGrid& other) const {
    return m_columns == other.m_columns && m_rows == other.m_rows && m_cells == other.m_cells;
}

std::string SaveGridText(const TallyGrid& grid) {
    std::string text =
        std::to_string(grid.colCount()) + "\r\n" + std::to_string(grid.rowCount()) + "\r\n";
    for (int c = 0; c < grid.colCount(); ++c) {
        for (int r = 0; r < grid.rowCount(); ++r) {
            // A line break inside a cell would shift every cell after it on the next load.
            const std::size_t start = text.size();
            text += grid.cell(c, r);
            std::replace_if(
                text.begin() + start, text.end(), [](char ch) { return ch == '\r' || ch == '\n'; },
                ' ');
            text += "\r\n";
        }
    }
    return text;
}

void LoadGridText(TallyGrid& grid, const std::string& text) {
    LineReader lines(text);
    const int columns = parseCount(lines.next(), kMaxColumns);
    const int rows = parseCount(lines.next(), kMaxRows);
    grid.resize(columns, rows);
    for (int c = 0; c < columns; ++c) {
        for (int r = 0; r < rows; ++r) {
            grid.setCell(c, r, lines.next());
        }
    }
}
