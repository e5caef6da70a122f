// LabelTable: labels laid out in rows and columns, read as one table. It lies over the labels,
// draws nothing but the keyboard's frame around the current cell, and lets the mouse through;
// the arrow keys move the current cell and a screen reader reads each cell with its column's
// heading.
#pragma once

#include <QAccessible>
#include <QStringList>
#include <QWidget>

#include <functional>

class QLabel;

class LabelTable : public QWidget {
    Q_OBJECT

public:
    // `cell(row, column)` gives the label shown in a cell, rows and columns counted from 0;
    // `columns` names the columns.
    using CellLabel = std::function<QLabel*(int row, int column)>;
    LabelTable(QWidget* parent, int rows, const QStringList& columns, CellLabel cell);
    ~LabelTable() override;

    int rowCount() const { return m_rows; }
    int columnCount() const { return m_columns.size(); }
    QString columnName(int column) const { return m_columns.value(column); }
    QString cellText(int row, int column) const;
    // The cell's place in the table's own coordinates.
    QRect cellRect(int row, int column) const;

    int currentRow() const { return m_row; }
    int currentColumn() const { return m_column; }
    void setCurrent(int row, int column);

    // The accessible cells, made the first time a screen reader asks for them.
    QAccessibleInterface* cellInterface(int row, int column) const;
    QAccessibleInterface* headerInterface(int column) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void tellFocus();
    void makeInterfaces() const;

    int m_rows;
    QStringList m_columns;
    CellLabel m_cell;
    int m_row = 0;
    int m_column = 0;
    mutable QList<QAccessible::Id> m_cellIds;   // row by row
    mutable QList<QAccessible::Id> m_headerIds; // one a column
};
