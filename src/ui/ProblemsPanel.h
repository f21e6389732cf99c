// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDockWidget>
#include <QRect>
#include <QTreeView>

#include "model/ErrorList.h"
#include "model/LanguageTable.h"
#include "ui/ErrorListModel.h"

namespace wendrake {

// The problems dock of the main window: the rows of the document's checks,
// kept up to date with every edit. Closing it only hides it.
class ProblemsPanel final : public QDockWidget {
    Q_OBJECT
  public:
    explicit ProblemsPanel(const ErrorRows& rows, QWidget* parent = nullptr);

    void applyLanguage(const LanguageTable& language);

    // Lists `more` (the comparison with another file) after the rows from the
    // next refresh on.
    void listAlso(const ErrorRows& more) { model_->listAlso(&more); }

    // The rows changed: the list shows them, keeping the row the player is
    // on and the scroll position where they still exist. `fresh` (another
    // file) fits the columns again.
    void refresh(bool fresh);
    // Shows the panel with row `row` in view.
    void reveal(int row = 0);

    // Moves and shrinks a floating panel into the free area of its screen.
    void keepOnScreen();

    QTreeView* list() const { return list_; }

  signals:
    // A row was double-clicked (or Enter pressed on it): the vehicle and the
    // field of that row.
    void rowActivated(const ErrorListEntry& row);

  private:
    void fitColumns(bool widenOnly);
    void showTitle();

    ErrorListModel* model_;
    QTreeView* list_ = nullptr;
    QString title_;
    QString titleWithCount_;
};

// `window` moved (and where it is larger, shrunk) to lie within `available`.
QRect fittedInto(const QRect& window, const QRect& available);

}  // namespace wendrake
