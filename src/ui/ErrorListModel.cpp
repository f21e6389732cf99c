// SPDX-License-Identifier: GPL-3.0-or-later
#include "ErrorListModel.h"

#include <QApplication>
#include <QStyle>

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

const ErrorListEntry* ErrorListModel::entryAt(int row) const {
    if (row < 0 || row >= shownRows_) {
        return nullptr;
    }
    const auto at = static_cast<std::size_t>(row);
    if (at < rows_.size()) {
        return &rows_[at];
    }
    if (more_ != nullptr && at - rows_.size() < more_->size()) {
        return &(*more_)[at - rows_.size()];
    }
    return nullptr;
}

QVariant ErrorListModel::data(const QModelIndex& index, int role) const {
    const ErrorListEntry* entry = index.isValid() ? entryAt(index.row()) : nullptr;
    if (entry == nullptr) {
        return {};
    }
    const ErrorListEntry& row = *entry;
    const bool warning = row.severity == Severity::Warning;
    if (role == Qt::DecorationRole && index.column() == 0) {
        return QApplication::style()->standardIcon(warning ? QStyle::SP_MessageBoxWarning
                                                           : QStyle::SP_MessageBoxCritical);
    }
    if (role == Qt::AccessibleDescriptionRole) {
        return warning ? warningWord_ : errorWord_;
    }
    if (role == Qt::ToolTipRole && index.column() != 1) {
        // The severity in words, then the text, which may be cut in its column.
        const QString word = warning ? warningWord_ : errorWord_;
        return word + QStringLiteral(": ") +
               (index.column() == 0 ? shownText(row.car()) : QString::fromStdString(row.error));
    }
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) {
        return {};
    }
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

void ErrorListModel::setSeverityWords(const QString& error, const QString& warning) {
    errorWord_ = error;
    warningWord_ = warning;
}

void ErrorListModel::reload() {
    beginResetModel();
    shownRows_ = static_cast<int>(rows_.size() + (more_ != nullptr ? more_->size() : 0));
    endResetModel();
}

}  // namespace wendrake
