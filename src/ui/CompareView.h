// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <vector>

#include "model/DocumentSession.h"
#include "model/LanguageTable.h"
#include "ui/CompareRows.h"

class QLabel;
class QMenu;
class QTableView;
class QToolButton;

namespace wendrake {

class CompareModel;
class ValueCellDelegate;
class HandlingPages;

// Several vehicles side by side in place of the pages, and the copying of
// values between them: the value of a cell, its group or every value of its
// column, to one other compared vehicle or to all of them, each copy one
// step of the history. Names, and the ID and references of a vehicle
// definition, are never copied: they say which vehicle a line is. A free
// value can be typed into its cell as into its box on the page.
class CompareView final : public QWidget {
    Q_OBJECT
  public:
    explicit CompareView(DocumentSession& session, QWidget* parent = nullptr);

    // The texts of the language; the handling lines are captioned as
    // `pages` caption their controls.
    void applyLanguage(const LanguageTable& language, const HandlingPages& pages);

    // Shows `records` of the loaded kind, the first the one the others are
    // measured against.
    void compare(std::vector<int> records);
    bool compares(int record) const;
    // Values shown again where they changed; nothing of the file stays
    // shown once another is loaded.
    void followChange(const SessionChange& change);

    enum class CopyScope { Value, Group, All };
    // The fields a copy of line `row` gives: its own, its group's or every
    // one, except those that say which vehicle a line is.
    std::vector<int> copiedFields(int row, CopyScope scope) const;
    // Copies `fields` of `from` to `targets` as one step; the number of
    // values changed.
    int copyValues(int from, const std::vector<int>& fields, const std::vector<int>& targets);

  signals:
    // A short note for the status bar.
    void noted(const QString& note);
    // The records compared are gone (another file, tables replaced): nothing
    // is compared any more.
    void ended();

  private:
    // A value typed into the cell of line `row` of `record`: one step.
    void storeTyped(int row, int record, const QString& text);
    CompareLayout layoutFor(const std::vector<int>& records) const;
    // The copy choices for the value at `cell`, to one vehicle or to all others.
    void fillCopyMenu(QMenu* menu, const QModelIndex& cell);
    void addTargets(QMenu* menu, int from, const std::vector<int>& fields);
    void showTitle();
    QString text(int number) const;

    DocumentSession& session_;
    const LanguageTable* language_ = nullptr;
    CompareModel* model_;
    QLabel* title_;
    QToolButton* copyButton_;
    QTableView* table_;
    ValueCellDelegate* cellEditor_ = nullptr;
    CompareLayout handlingLayout_;
    CompareLayout vehicleDefLayout_;
};

}  // namespace wendrake
