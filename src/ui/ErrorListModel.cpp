// SPDX-License-Identifier: GPL-3.0-or-later
#include "ErrorListModel.h"

#include "io/LanguageFiles.h"
#include "ui/ShownText.h"

namespace wendrake {

namespace {

constexpr int kColumns = 3;

}  // namespace

ErrorListModel::ErrorListModel(const ErrorRows& rows, QObject* parent)
    : QAbstractTableModel(parent), rows_(rows), shownRows_(static_cast<int>(rows.size())) {}

// The document changes the rows before it tells us, so the vector may
// already be shorter or longer than what the views have been told.
// Answering with the count last reported (and nothing for rows gone) keeps
// views and proxies consistent until the reset arrives.
int ErrorListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shownRows_;
}

int ErrorListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant ErrorListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= shownRows_ ||
        index.row() >= static_cast<int>(rows_.size())) {
        return {};
    }
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) {
        return {};
    }
    const ErrorListEntry& row = rows_[static_cast<std::size_t>(index.row())];
    switch (index.column()) {
        case 0:
            return shownText(row.car());
        case 1:
            return QString::fromStdString(row.parameter);
        case 2:
            return QString::fromStdString(row.error);
        default:
            return {};
    }
}

QVariant ErrorListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= headers_.size()) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    return headers_.at(section);
}

void ErrorListModel::setHeaders(const QStringList& headers) {
    headers_ = headers;
    emit headerDataChanged(Qt::Horizontal, 0, kColumns - 1);
}

void ErrorListModel::reload() {
    beginResetModel();
    shownRows_ = static_cast<int>(rows_.size());
    endResetModel();
}

}  // namespace wendrake
