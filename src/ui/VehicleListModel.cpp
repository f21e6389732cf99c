// SPDX-License-Identifier: GPL-3.0-or-later
#include "VehicleListModel.h"

#include <numeric>

#include "model/NameFilter.h"
#include "ui/ShownText.h"

namespace wendrake {

std::vector<int> entriesMatching(const QString& filter, const VehicleList& list) {
    if (filter.isEmpty()) {
        std::vector<int> all(static_cast<std::size_t>(list.size()));
        std::iota(all.begin(), all.end(), 0);
        return all;
    }
    // Names are Latin-1: a typed letter beyond it is in none of them, but
    // one whose small letter is (Ÿ) matches that.
    const QString small = filter.toLower();
    if (!std::ranges::all_of(small, [](QChar c) { return c.unicode() <= 0xFF; })) {
        return {};
    }
    const QByteArray bytes = small.toLatin1();
    return NameFilter(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))
        .entriesIn(list);
}

VehicleListModel::VehicleListModel(const DocumentSession& session, QObject* parent)
    : QAbstractListModel(parent), session_(session) {
    changedFont_.setBold(true);
}

int VehicleListModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) {
        return 0;
    }
    return filter_.isEmpty() ? entryCount() : static_cast<int>(entries_.size());
}

int VehicleListModel::entryCount() const {
    return session_.document().Autos.size();
}

int VehicleListModel::entryAt(int row) const {
    if (row < 0 || row >= rowCount()) {
        return -1;
    }
    return filter_.isEmpty() ? row : entries_[static_cast<std::size_t>(row)];
}

int VehicleListModel::rowOfEntry(int entry) const {
    if (entry < 0 || entry >= entryCount()) {
        return -1;
    }
    return filter_.isEmpty() ? entry : rowOfEntry_[static_cast<std::size_t>(entry)];
}

bool VehicleListModel::changed(int row) const {
    return session_.recordDiffersFromSaved(session_.document().Autos.recordAt(entryAt(row)));
}

QVariant VehicleListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.column() != 0 || entryAt(index.row()) < 0) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return shownText(session_.document().Autos.at(entryAt(index.row())));
        case Qt::FontRole:
            return changed(index.row()) ? QVariant(changedFont_) : QVariant();
        case Qt::ToolTipRole:
        case Qt::AccessibleDescriptionRole:
            return changed(index.row()) ? QVariant(changedText_) : QVariant();
        default:
            return {};
    }
}

void VehicleListModel::applyFilter() {
    entries_.clear();
    rowOfEntry_.clear();
    if (filter_.isEmpty()) {
        return;
    }
    const VehicleList& list = session_.document().Autos;
    entries_ = entriesMatching(filter_, list);
    rowOfEntry_.assign(static_cast<std::size_t>(list.size()), -1);
    for (std::size_t row = 0; row < entries_.size(); ++row) {
        rowOfEntry_[static_cast<std::size_t>(entries_[row])] = static_cast<int>(row);
    }
}

void VehicleListModel::setFilter(const QString& text) {
    if (text == filter_) {
        return;
    }
    beginResetModel();
    filter_ = text;
    applyFilter();
    endResetModel();
}

void VehicleListModel::reload() {
    beginResetModel();
    applyFilter();
    endResetModel();
}

void VehicleListModel::entryChanged(int entry) {
    const int row = rowOfEntry(entry);
    if (row >= 0) {
        const QModelIndex changed = index(row, 0);
        emit dataChanged(changed, changed);
    }
}

void VehicleListModel::marksChanged() {
    if (rowCount() > 0) {
        // Every role: a rename may come with the first change after a save.
        emit dataChanged(index(0, 0), index(rowCount() - 1, 0));
    }
}

}  // namespace wendrake
