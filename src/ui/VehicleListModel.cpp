// SPDX-License-Identifier: GPL-3.0-or-later
#include "VehicleListModel.h"

#include "io/LanguageFiles.h"
#include "ui/ShownText.h"

namespace wendrake {

VehicleListModel::VehicleListModel(const VehicleList& list, QObject* parent)
    : QAbstractListModel(parent), list_(list) {}

int VehicleListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : list_.size();
}

QVariant VehicleListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= list_.size() || index.column() != 0) {
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        return shownText(list_.at(index.row()));
    }
    return {};
}

void VehicleListModel::entryChanged(int row) {
    const QModelIndex changed = index(row, 0);
    emit dataChanged(changed, changed, {Qt::DisplayRole, Qt::EditRole});
}

void VehicleListModel::reload() {
    beginResetModel();
    endResetModel();
}

}  // namespace wendrake
