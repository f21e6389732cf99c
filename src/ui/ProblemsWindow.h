// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPushButton>
#include <QTreeView>
#include <QWidget>

#include "model/ErrorList.h"
#include "model/LanguageTable.h"
#include "ui/ErrorListModel.h"

namespace wendrake {

// The error list window: the suspicious values found while reading handling
// lines. Shown without blocking whenever rows are added, hidden (never
// destroyed) when closed.
class ProblemsWindow final : public QWidget {
    Q_OBJECT
  public:
    explicit ProblemsWindow(const ErrorRows& rows, QWidget* parent = nullptr);

    void applyLanguage(const LanguageTable& language);

    // The rows were replaced (a handling file was read): shows the window
    // when there are rows; with none it stays as it was.
    void rowsReplaced();
    // Rows were appended (an import): shows the window.
    void rowsAppended(int previousCount);

    QTreeView* lstErrors;
    QPushButton* cmdClose;

  public slots:
    void cmdClose_Click();

  signals:
    // A row was double-clicked (or Enter pressed on it): the vehicle and the
    // field of that row.
    void rowActivated(const ErrorListEntry& row);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void fitColumns(bool widenOnly);

    const ErrorRows& rows_;
    ErrorListModel* model_;
};

}  // namespace wendrake
