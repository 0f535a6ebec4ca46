#pragma once

#include <QAbstractItemView>
#include <QStringList>
#include <QTest>

namespace dazu::test {

// The rows a list box shows, top to bottom, as a screen reader reads them.
inline QStringList ShownRows(const QAbstractItemView& list) {
    QStringList rows;
    for (int row = 0; row < list.model()->rowCount(); ++row)
        rows << list.model()->index(row, 0).data().toString();
    return rows;
}

// Selects a row as a user does: scrolls it into sight and clicks it.
inline void ClickRow(QAbstractItemView& list, int row) {
    const QModelIndex index = list.model()->index(row, 0);
    list.scrollTo(index);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualRect(index).center());
}

} // namespace dazu::test
