// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>
#include <QFont>
#include <QStringList>
#include <array>
#include <vector>

#include "model/DocumentSession.h"
#include "model/LanguageTable.h"

namespace wendrake {

// How many cells of a paste were stored and how many the file cannot hold.
struct PasteCount {
    int pasted = 0;
    int refused = 0;
};

// The rows of the table of all vehicles: the records of the vehicles whose
// names contain the filter text, one column per value. The rows are a list of
// record numbers, in list order until sorted; a sort orders that list by keys
// made once per sort, so that 32767 rows sort at once. Every edit goes to the
// session, to the record of its row, with the rules of the value boxes. A
// value changed since the last save is shown bold.
class VehicleTableModel final : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit VehicleTableModel(DocumentSession& session, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Stores a text into the cell's record; false, changing nothing, for a
    // text the file cannot hold there.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    // Column -1 gives back the list order.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    void applyLanguage(const LanguageTable& language);
    // Keeps the vehicles whose names contain `text`, as the vehicle list does.
    void setFilter(const QString& text);
    void followChange(const SessionChange& change);

    int recordAt(int row) const;
    // The row showing record `record`, or -1.
    int rowOfRecord(int record) const;
    // The whole text of a cell, also one shown cut.
    QString cellText(int row, int column) const;
    // Whether the file can hold `text` in the cell, by the rules of the boxes.
    bool canHold(int row, int column, const QString& text) const;
    // The most characters the cell's box takes: a handling name the game's
    // 14, or as many as a longer name read from the file has.
    int longestText(int row, int column) const;
    bool isPairsColumn(int column) const;
    // The characters a box of `column` leaves out of typed text.
    QString separatorsOf(int column) const;

    // Stores `cells` from `topLeft` rightwards and downwards as one step of
    // the history; cells beyond the table are left out of the count.
    PasteCount paste(const QModelIndex& topLeft, const QList<QStringList>& cells);

  private:
    // The rows anew from the list, filtered and sorted.
    void rebuild();
    void indexRows();
    void sortRows();
    bool cellChanged(int record, int column) const;
    // Whether the cell holds `text`, without copying a long value first.
    bool sameText(int row, int column, const QString& text) const;
    bool editable(int row, int column) const;
    // The row of the file check that reports the cell, errors before
    // warnings; null when none does.
    const ErrorListEntry* problemAt(int record, int column) const;

    DocumentSession& session_;
    DataFileKind kind_ = DataFileKind::Handling;  // of the rows shown
    bool loaded_ = false;
    QString filter_;
    std::vector<int> records_;      // records_[row]
    std::vector<int> rowOfRecord_;  // the inverse; -1 for records filtered out
    int sortColumn_ = -1;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
    std::array<QStringList, 3> captions_;
    QFont changedFont_;
    // The problem rows of the record asked last, by column: a row's cells
    // are painted one after another. Emptied on every change of the session.
    mutable int problemsRecord_ = -1;
    mutable std::vector<std::pair<int, const ErrorListEntry*>> problems_;
};

}  // namespace wendrake
