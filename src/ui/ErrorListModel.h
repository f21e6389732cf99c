// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>

#include "model/ErrorList.h"

namespace wendrake {

// The rows of the error list as three columns (car, parameter, error), in
// the order they were added, then the rows of a second list (the comparison
// with another file). The first column shows the sign of the row's severity,
// and the tooltips and accessible descriptions name it. Headers and words
// are set by the language.
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
    void setSeverityWords(const QString& error, const QString& warning);
    // Lists `more` after the rows from the next reload on.
    void listAlso(const ErrorRows* more) { more_ = more; }

    // The row shown at `row`, or null.
    const ErrorListEntry* entryAt(int row) const;

    // After the rows changed.
    void reload();

  private:
    const ErrorRows& rows_;
    const ErrorRows* more_ = nullptr;
    int shownRows_;  // the row count the views were last told
    QStringList headers_;
    QString errorWord_ = QStringLiteral("Error");
    QString warningWord_ = QStringLiteral("Warning");
};

}  // namespace wendrake
