#pragma once

#include <cstdint>
#include <QAbstractListModel>
#include <string>
#include <string_view>
#include <vector>

namespace dazu::dialog {

// The names of one file list, each held once as the bytes its record stores: one buffer with
// every name after the other, and where each begins. A name whose bytes are not UTF-8 is
// shown with replacement characters but keeps its bytes, so that it can still be found and
// deleted. Appending is amortised constant time, removing moves only the small positions.
class FileNameModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // The bytes of the name in that row, valid until the next change of the list.
    std::string_view bytes(int row) const;

    // Replaces every name at once, for the list's first filling. The names of one list take
    // at most 4 GiB together (std::length_error beyond).
    void setNames(const std::vector<std::string>& names);
    // One name as the new last row.
    void append(std::string_view name);
    void remove(int row);

private:
    // Eight bytes a name: removing a row moves the positions after it, the only part of an
    // edit that grows with the list.
    struct Span {
        std::uint32_t offset;
        std::uint32_t length;
    };
    void store(std::string_view name);

    // A removed name's bytes stay behind in the buffer until the list is filled again: they
    // are as many as the names the user deleted since the start.
    std::string buffer_;
    std::vector<Span> spans_;
};

} // namespace dazu::dialog
