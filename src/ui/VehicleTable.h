// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTableView>

#include "model/DocumentSession.h"
#include "model/LanguageTable.h"
#include "ui/Desktop.h"
#include "ui/VehicleTableModel.h"

namespace wendrake {

// The table of all vehicles of the loaded file: a row per vehicle listed by
// the filter, a column per value, sorted by a click on a column's caption.
// A cell is edited in place with the rules of the value boxes; Ctrl+C copies
// the selected cells and Ctrl+V pastes cells from a spreadsheet, the whole
// paste one step of the history. Its rows are as high as each other and it
// holds no widget per row, so 32767 rows scroll at once.
class VehicleTable final : public QTableView {
    Q_OBJECT
  public:
    VehicleTable(DocumentSession& session, Desktop& desktop, QWidget* parent = nullptr);

    VehicleTableModel* tableModel() const { return model_; }
    void applyLanguage(const LanguageTable& language);
    void setFilter(const QString& text);
    void followChange(const SessionChange& change);
    // Makes the row of record `record` current, without choosing it anew;
    // in `column`, or the current column for -1.
    void showRecord(int record, int column = -1);

    // The selected cells as tab-separated text: the rows of the selection,
    // each with its selected cells, whole.
    void copySelection();
    // The clipboard's cells from the current cell rightwards and downwards;
    // the status bar counts the pasted cells and those refused.
    void pasteClipboard();

  signals:
    // The player made the row of `record` current.
    void vehicleChosen(int record);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void fitColumns();
    void currentRowChanged(const QModelIndex& current);
    // Tells the player a typed value was not stored.
    void refused();

    DocumentSession& session_;
    Desktop& desktop_;
    VehicleTableModel* model_;
    QString pastedText_;
    QString refusedText_;
    // Set while the rows are changed by the program rather than chosen.
    bool quiet_ = false;

    friend class VehicleTableDelegate;
};

}  // namespace wendrake
