// stringgrid_scores: the tally as a table of text cells, and its plain-text form.
#pragma once

#include <string>
#include <vector>

// Cells are addressed (column, row). Row 0 holds the statistics (column 1 games started, 2 games
// cleared, 3 win percentage, 4 longest chain); rows 1..10 the high-score places (column 0 date,
// 1 score, 2 name).
class TallyGrid {
public:
    static constexpr int kColumns = 9;
    static constexpr int kRows = 12;

    TallyGrid() { resize(kColumns, kRows); }

    int colCount() const { return m_columns; }
    int rowCount() const { return m_rows; }
    // Resizing keeps the cells that stay inside the table; new cells are empty.
    void resize(int columns, int rows);
    void setRowCount(int rows) { resize(m_columns, rows); }

    // Cells outside the table read as empty and ignore writes.
    const std::string& cell(int column, int row) const;
    void setCell(int column, int row, const std::string& text);

    bool operator==(const TallyGrid& other) const;

private:
    bool inside(int column, int row) const {
        return column >= 0 && column < m_columns && row >= 0 && row < m_rows;
    }

    int m_columns = 0;
    int m_rows = 0;
    std::vector<std::string> m_cells; // column by column
};

// The text form: the column count, the row count, then every cell column by column, each line
// ended by CR LF. A CR or LF inside a cell is written as a blank.
std::string SaveGridText(const TallyGrid& grid);

// Reads a text form, resizing the table to the counts it states. Missing lines read as empty
// cells. Throws std::runtime_error when a count line is not a number or is out of reason; the
// table is then left as it was.
void LoadGridText(TallyGrid& grid, const std::string& text);
