#pragma once

#include <algorithm>
#include <QAbstractItemView>
#include <QStringList>
#include <QTest>

namespace dazu::test {

// The rows a list box shows, top to bottom, as a screen reader reads them.
inline QStringList ShownRows(const QAbstractItemView& list) {
    QStringList rows;
    const QAbstractItemModel& model = *list.model();
    for (int row = 0; row < model.rowCount(list.rootIndex()); ++row)
        rows << model.index(row, 0, list.rootIndex()).data().toString();
    return rows;
}

// Selects a row as a user does: scrolls it into sight and clicks it.
inline void ClickRow(QAbstractItemView& list, int row) {
    const QModelIndex index = list.model()->index(row, 0, list.rootIndex());
    list.scrollTo(index);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualRect(index).center());
}

// The selected rows, top to bottom.
inline QList<int> SelectedRows(const QAbstractItemView& list) {
    QList<int> rows;
    for (const QModelIndex& index : list.selectionModel()->selectedIndexes())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

} // namespace dazu::test
