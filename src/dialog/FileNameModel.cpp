#include "FileNameModel.h"

#include <stdexcept>

namespace dazu::dialog {

int FileNameModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(spans_.size());
}

QVariant FileNameModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    const std::string_view name = bytes(index.row());
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

std::string_view FileNameModel::bytes(int row) const {
    const Span& span = spans_.at(static_cast<std::size_t>(row));
    return std::string_view(buffer_).substr(span.offset, span.length);
}

void FileNameModel::store(std::string_view name) {
    if (name.size() > UINT32_MAX - buffer_.size())
        throw std::length_error("Los nombres de la lista ocupan más de 4 GiB");
    spans_.push_back(
        {static_cast<std::uint32_t>(buffer_.size()), static_cast<std::uint32_t>(name.size())});
    buffer_.append(name);
}

void FileNameModel::setNames(const std::vector<std::string>& names) {
    beginResetModel();
    buffer_.clear();
    spans_.clear();
    std::size_t total = 0;
    for (const std::string& name : names)
        total += name.size();
    buffer_.reserve(total);
    spans_.reserve(names.size());
    for (const std::string& name : names)
        store(name);
    endResetModel();
}

void FileNameModel::append(std::string_view name) {
    const int row = rowCount();
    beginInsertRows({}, row, row);
    store(name);
    endInsertRows();
}

void FileNameModel::remove(int row) {
    beginRemoveRows({}, row, row);
    spans_.erase(spans_.begin() + row);
    endRemoveRows();
}

} // namespace dazu::dialog
