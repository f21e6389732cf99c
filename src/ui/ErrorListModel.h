// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>

#include "model/ErrorList.h"

namespace wendrake {

// The rows of the error list as three columns (car, parameter, error), in
// the order they were added. Headers are set by the language.
class ErrorListModel final : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit ErrorListModel(const ErrorRows& rows, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    void setHeaders(const QStringList& headers);

    // After the rows changed.
    void reload();

  private:
    const ErrorRows& rows_;
    int shownRows_;  // the row count the views were last told
    QStringList headers_;
};

}  // namespace wendrake
