// LabelTable: labels laid out in rows and columns, read as one table.
#include "labeltable.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QTimer>

namespace {

// The table: its cells are its children, row by row.
class TableInterface : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit TableInterface(LabelTable* table) : QAccessibleWidget(table, QAccessible::Table) {}

    LabelTable* table() const { return static_cast<LabelTable*>(widget()); }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    int childCount() const override { return table()->rowCount() * table()->columnCount(); }
    QAccessibleInterface* child(int index) const override {
        const int columns = table()->columnCount();
        if (index < 0 || index >= childCount())
            return nullptr;
        return table()->cellInterface(index / columns, index % columns);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int i = 0; i < childCount(); ++i)
            if (this->child(i) == child)
                return i;
        return -1;
    }
    QAccessibleInterface* focusChild() const override {
        if (!table()->hasFocus())
            return nullptr;
        return table()->cellInterface(table()->currentRow(), table()->currentColumn());
    }

    // QAccessibleTableInterface: a table to read, nothing in it is selected.
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        return table()->cellInterface(row, column);
    }
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QString columnDescription(int column) const override { return table()->columnName(column); }
    QString rowDescription(int row) const override { return QString::number(row + 1); }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return table()->columnCount(); }
    int rowCount() const override { return table()->rowCount(); }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}
};

// A part of the table that is no widget of its own: a cell or a column heading.
class PartInterface : public QAccessibleInterface {
public:
    PartInterface(LabelTable* table, int row, int column)
        : m_table(table), m_row(row), m_column(column) {}

    bool isValid() const override { return !m_table.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        return m_table ? m_table->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return m_table ? QAccessible::queryAccessibleInterface(m_table.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void setText(QAccessible::Text, const QString&) override {}

protected:
    QPointer<LabelTable> m_table;
    int m_row; // -1 for a heading
    int m_column;
};

class HeaderInterface : public PartInterface {
public:
    HeaderInterface(LabelTable* table, int column) : PartInterface(table, -1, column) {}

    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name && m_table ? m_table->columnName(m_column) : QString();
    }
    QAccessible::Role role() const override { return QAccessible::ColumnHeader; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.readOnly = true;
        return s;
    }
    QRect rect() const override {
        if (!m_table)
            return QRect();
        const QRect cell = m_table->cellRect(0, m_column);
        return QRect(m_table->mapToGlobal(cell.topLeft() - QPoint(0, cell.height())), cell.size());
    }
};

class CellInterface : public PartInterface, public QAccessibleTableCellInterface {
public:
    CellInterface(LabelTable* table, int row, int column) : PartInterface(table, row, column) {}

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface*>(this);
        return nullptr;
    }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name && m_table ? m_table->cellText(m_row, m_column) : QString();
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.readOnly = true;
        s.focusable = true;
        s.focused = m_table && m_table->hasFocus() && m_table->currentRow() == m_row &&
                    m_table->currentColumn() == m_column;
        if (!m_table || !m_table->isVisible())
            s.invisible = true;
        return s;
    }
    QRect rect() const override {
        if (!m_table)
            return QRect();
        const QRect cell = m_table->cellRect(m_row, m_column);
        return QRect(m_table->mapToGlobal(cell.topLeft()), cell.size());
    }

    // QAccessibleTableCellInterface
    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override {
        if (!m_table)
            return {};
        return {m_table->headerInterface(m_column)};
    }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_column; }
    int rowIndex() const override { return m_row; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }
};

QAccessibleInterface* tableInterface(const QString&, QObject* object) {
    if (auto* table = qobject_cast<LabelTable*>(object))
        return new TableInterface(table);
    return nullptr;
}

} // namespace

LabelTable::LabelTable(QWidget* parent, int rows, const QStringList& columns, CellLabel cell)
    : QWidget(parent), m_rows(rows), m_columns(columns), m_cell(std::move(cell)) {
    static bool installed = false;
    if (!installed) {
        installed = true;
        QAccessible::installFactory(tableInterface);
    }
    // Reached by Tab only: a click goes through to whatever lies under the table.
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

LabelTable::~LabelTable() {
    for (QAccessible::Id id : m_cellIds + m_headerIds)
        QAccessible::deleteAccessibleInterface(id);
}

QString LabelTable::cellText(int row, int column) const {
    const QLabel* label = m_cell(row, column);
    return label ? label->text() : QString();
}

QRect LabelTable::cellRect(int row, int column) const {
    const QLabel* label = m_cell(row, column);
    if (!label)
        return QRect();
    return QRect(mapFrom(label->parentWidget(), label->pos()), label->size());
}

void LabelTable::setCurrent(int row, int column) {
    row = qBound(0, row, m_rows - 1);
    column = qBound(0, column, columnCount() - 1);
    if (row == m_row && column == m_column)
        return;
    m_row = row;
    m_column = column;
    update();
    if (hasFocus())
        tellFocus();
}

void LabelTable::makeInterfaces() const {
    if (!m_cellIds.isEmpty())
        return;
    auto* self = const_cast<LabelTable*>(this);
    for (int column = 0; column < columnCount(); ++column)
        m_headerIds << QAccessible::registerAccessibleInterface(new HeaderInterface(self, column));
    for (int row = 0; row < m_rows; ++row)
        for (int column = 0; column < columnCount(); ++column)
            m_cellIds << QAccessible::registerAccessibleInterface(
                new CellInterface(self, row, column));
}

QAccessibleInterface* LabelTable::cellInterface(int row, int column) const {
    if (row < 0 || row >= m_rows || column < 0 || column >= columnCount())
        return nullptr;
    makeInterfaces();
    return QAccessible::accessibleInterface(m_cellIds.at(row * columnCount() + column));
}

QAccessibleInterface* LabelTable::headerInterface(int column) const {
    if (column < 0 || column >= columnCount())
        return nullptr;
    makeInterfaces();
    return QAccessible::accessibleInterface(m_headerIds.at(column));
}

// The current cell has the screen reader's focus, though no widget of its own.
void LabelTable::tellFocus() {
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent focus(cellInterface(m_row, m_column), QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
}

void LabelTable::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Up:
        setCurrent(m_row - 1, m_column);
        break;
    case Qt::Key_Down:
        setCurrent(m_row + 1, m_column);
        break;
    case Qt::Key_Left:
        setCurrent(m_row, m_column - 1);
        break;
    case Qt::Key_Right:
        setCurrent(m_row, m_column + 1);
        break;
    case Qt::Key_Home:
        setCurrent(m_row, 0);
        break;
    case Qt::Key_End:
        setCurrent(m_row, columnCount() - 1);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void LabelTable::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
    // After the table itself, which the toolkit reports once this event is handled.
    QTimer::singleShot(0, this, [this] {
        if (hasFocus())
            tellFocus();
    });
}

void LabelTable::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

// Nothing is drawn until the keyboard brings the focus: then a gold frame marks the cell.
void LabelTable::paintEvent(QPaintEvent*) {
    if (!hasFocus() || !window()->testAttribute(Qt::WA_KeyboardFocusChange))
        return;
    QPainter painter(this);
    painter.setPen(QPen(QColor(255, 210, 60), 1, Qt::DashLine));
    painter.drawRect(cellRect(m_row, m_column).adjusted(-2, -1, 1, 0));
}
