#include "ListBox.h"

#include <algorithm>
#include <QPainter>
#include <QPaintEvent>
#include <QScrollBar>

namespace dazu::dialog {

ListBox::ListBox(QWidget* parent)
    : QListView(parent)
    , names_(new FileNameModel(this)) {
    // The scroll bar counts rows: its value is the first visible row.
    setVerticalScrollMode(ScrollPerItem);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(SingleSelection);
    setModel(names_);
    // The scroll range follows the row count once a removed row is gone.
    connect(names_, &QAbstractItemModel::rowsRemoved, this, &ListBox::updateGeometries);
}

int ListBox::selectedRow() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.front().row();
}

void ListBox::refresh() {
    if (changed_.isEmpty())
        return;
    // repaint() also takes the rest of what is waiting to be painted, such as the selection.
    viewport()->repaint(changed_);
    changed_ = QRegion();
}

int ListBox::rowHeight() const {
    if (rowHeight_ == 0) {
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        // Every name is one line in the list's font: one measurement holds for all rows.
        rowHeight_ = std::max(1, itemDelegate()->sizeHint(option, QModelIndex()).height());
    }
    return rowHeight_;
}

int ListBox::firstVisibleRow() const {
    return verticalScrollBar()->value();
}

int ListBox::visibleRows() const {
    return std::max(1, viewport()->height() / rowHeight());
}

int ListBox::verticalOffset() const {
    return firstVisibleRow() * rowHeight();
}

QRect ListBox::visualRect(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != names_)
        return {};
    return {0, index.row() * rowHeight() - verticalOffset(), viewport()->width(), rowHeight()};
}

QModelIndex ListBox::indexAt(const QPoint& point) const {
    if (point.y() < 0)
        return {};
    const int row = (point.y() + verticalOffset()) / rowHeight();
    return row < rows() ? names_->index(row) : QModelIndex();
}

void ListBox::scrollTo(const QModelIndex& index, ScrollHint hint) {
    if (!index.isValid())
        return;
    const int row = index.row();
    const int first = firstVisibleRow();
    const int visible = visibleRows();
    int target = first;
    switch (hint) {
    case EnsureVisible:
        if (row < first)
            target = row;
        else if (row >= first + visible)
            target = row - visible + 1;
        break;
    case PositionAtTop:
        target = row;
        break;
    case PositionAtBottom:
        target = row - visible + 1;
        break;
    case PositionAtCenter:
        target = row - visible / 2;
        break;
    }
    verticalScrollBar()->setValue(target);
}

void ListBox::doItemsLayout() {
    // The font or the style may have changed: the row height is measured again.
    rowHeight_ = 0;
    QAbstractItemView::doItemsLayout();
}

QModelIndexList ListBox::selectedIndexes() const {
    return selectionModel()->selectedIndexes();
}

void ListBox::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags flags) {
    const QRect area = rect.normalized();
    const int first = std::max(0, (area.top() + verticalOffset()) / rowHeight());
    const int last = std::min(rows() - 1, (area.bottom() + verticalOffset()) / rowHeight());
    if (first > last) {
        selectionModel()->select(QItemSelection(), flags);
        return;
    }
    selectionModel()->select(QItemSelection(names_->index(first), names_->index(last)), flags);
}

QRegion ListBox::visualRegionForSelection(const QItemSelection& selection) const {
    QRegion region;
    for (const QItemSelectionRange& range : selection) {
        const QRect top = visualRect(names_->index(range.top()));
        region += QRect(top.left(), top.top(), top.width(), range.height() * rowHeight());
    }
    return region;
}

QModelIndex ListBox::moveCursor(CursorAction action, Qt::KeyboardModifiers) {
    if (rows() == 0)
        return {};
    const QModelIndex current = currentIndex();
    const int row = current.isValid() ? current.row() : -1;
    const int page = std::max(1, visibleRows() - 1);
    int target = row;
    switch (action) {
    case MoveUp:
    case MovePrevious:
        target = row - 1;
        break;
    case MoveDown:
    case MoveNext:
        target = row + 1;
        break;
    case MovePageUp:
        target = row - page;
        break;
    case MovePageDown:
        target = row + page;
        break;
    case MoveHome:
        target = 0;
        break;
    case MoveEnd:
        target = rows() - 1;
        break;
    case MoveLeft:
    case MoveRight:
        return current;
    }
    return names_->index(std::clamp(target, 0, rows() - 1));
}

void ListBox::updateGeometries() {
    const int visible = visibleRows();
    verticalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setPageStep(visible);
    verticalScrollBar()->setRange(0, std::max(0, rows() - visible));
    QAbstractItemView::updateGeometries();
}

void ListBox::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QStyle::State state = option.state;
    const int height = rowHeight();
    const QRect area = event->rect();
    const int first = firstVisibleRow() + area.top() / height;
    const int last = std::min(rows() - 1, firstVisibleRow() + area.bottom() / height);
    const QModelIndex current = currentIndex();
    for (int row = first; row <= last; ++row) {
        const QModelIndex index = names_->index(row);
        option.rect = visualRect(index);
        option.state = state;
        if (selectionModel()->isSelected(index))
            option.state |= QStyle::State_Selected;
        if (index == current && hasFocus())
            option.state |= QStyle::State_HasFocus;
        itemDelegate()->paint(&painter, option, index);
    }
}

void ListBox::scrollContentsBy(int, int) {
    viewport()->update();
}

void ListBox::markChangedFrom(int row) {
    const int top = (row - firstVisibleRow()) * rowHeight();
    if (top >= viewport()->height())
        return; // below the visible rows
    const QRect rect(0, std::max(0, top), viewport()->width(), viewport()->height());
    changed_ += rect;
    viewport()->update(rect);
}

void ListBox::rowsInserted(const QModelIndex& parent, int start, int end) {
    // QListView's own would lay every row out again; only the rows from here down change.
    QAbstractItemView::rowsInserted(parent, start, end);
    updateGeometries();
    markChangedFrom(start);
}

void ListBox::rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) {
    QAbstractItemView::rowsAboutToBeRemoved(parent, start, end);
    markChangedFrom(start);
}

void ListBox::notifyScreenReader(QAccessible::Event event, const QModelIndex& index) {
    if (!QAccessible::isActive() || !index.isValid())
        return;
    QAccessibleEvent accessibleEvent(this, event);
    accessibleEvent.setChild(index.row());
    QAccessible::updateAccessibility(&accessibleEvent);
}

// QListView's own would look the row up in the layout it keeps, which this one never builds.
void ListBox::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    if (hasFocus())
        notifyScreenReader(QAccessible::Focus, current);
    QAbstractItemView::currentChanged(current, previous);
}

void ListBox::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
    notifyScreenReader(QAccessible::SelectionAdd, selected.indexes().value(0));
    notifyScreenReader(QAccessible::SelectionRemove, deselected.indexes().value(0));
    QAbstractItemView::selectionChanged(selected, deselected);
}

} // namespace dazu::dialog
