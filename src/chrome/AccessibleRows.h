#pragma once

#include <QAccessibleWidget>
#include <QHash>

class QAbstractItemView;

// A one-column list view whose rows read as their AccessibleTextRole text. A
// screen reader selects a row through the table interface, as a click would,
// and finds the view's RowAction on each row.
class AccessibleRows : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit AccessibleRows(QWidget* widget);
    ~AccessibleRows() override;

    void* interface_cast(QAccessible::InterfaceType t) override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    // QAccessibleTableInterface
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override { return int(selectedRows().size()); }
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int) const override { return {}; }
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return int(selectedRows().size()); }
    int columnCount() const override { return 1; }
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override;
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int row) const override;
    bool selectRow(int row) override;
    bool selectColumn(int) override { return false; }
    bool unselectRow(int row) override;
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent* event) override;

    QAbstractItemView* view() const;

private:
    // One interface a row position, kept while the list lives: a refill gives the
    // same positions new texts.
    mutable QHash<int, QAccessible::Id> rows_;
};
