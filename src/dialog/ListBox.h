#pragma once

#include "FileNameModel.h"

#include <QAccessible>
#include <QListView>
#include <QRegion>

namespace dazu::dialog {

// A list box of file names: one column, unsorted, one selectable item. Every row has the
// height of one line of text, so each geometry is a multiplication and only the visible
// rows are ever measured or painted: adding or removing a row costs the same at a hundred
// names as at a hundred thousand. QListView, by contrast, lays out every row again after
// each change. It stays a QListView so that screen readers meet it as a list.
class ListBox : public QListView {
    Q_OBJECT

public:
    explicit ListBox(QWidget* parent = nullptr);

    // The names shown, one per row.
    FileNameModel& names() { return *names_; }
    const FileNameModel& names() const { return *names_; }

    // The selected row, -1 when no row is selected.
    int selectedRow() const;

    // Paints at once the rows that changed since the last paint.
    void refresh();

    QRect visualRect(const QModelIndex& index) const override;
    QModelIndex indexAt(const QPoint& point) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    void doItemsLayout() override;

protected:
    int horizontalOffset() const override { return 0; }
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex&) const override { return false; }
    QModelIndexList selectedIndexes() const override;
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags flags) override;
    QRegion visualRegionForSelection(const QItemSelection& selection) const override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void updateGeometries() override;
    void paintEvent(QPaintEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void rowsInserted(const QModelIndex& parent, int start, int end) override;
    void rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;

private:
    int rows() const { return names_->rowCount(); }
    int rowHeight() const;
    int firstVisibleRow() const;
    int visibleRows() const;
    // Marks the rows from this one to the bottom of the viewport for the next paint.
    void markChangedFrom(int row);
    void notifyScreenReader(QAccessible::Event event, const QModelIndex& index);

    FileNameModel* names_; // a child, so that it outlives the view's own teardown
    mutable int rowHeight_ = 0;
    QRegion changed_;
};

} // namespace dazu::dialog
