// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractListModel>
#include <QFont>
#include <vector>

#include "model/DocumentSession.h"

namespace wendrake {

// The positions of the entries of `list` whose names contain `filter`,
// letter case aside, in list order; every entry for the empty filter.
std::vector<int> entriesMatching(const QString& filter, const VehicleList& list);

// The rows of the vehicle list: the document's entries whose names contain
// the filter text, in list order, read from the document without copying
// them. A vehicle changed since the last save is shown bold and says so in
// its tooltip.
class VehicleListModel final : public QAbstractListModel {
    Q_OBJECT
  public:
    VehicleListModel(const DocumentSession& session, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Keeps the entries whose names contain `text`, letter case aside.
    void setFilter(const QString& text);
    // Call after the list has been replaced; the filter stays.
    void reload();
    // Call after the name of entry `entry` changed in place. It keeps its
    // row, matching the filter or not, until the filter changes.
    void entryChanged(int entry);
    // Call after records changed or the document was saved: the marks of
    // the rows in view are asked again.
    void marksChanged();
    void setChangedText(const QString& text) { changedText_ = text; }

    int entryAt(int row) const;
    // The row showing entry `entry`, or -1 when the filter hides it.
    int rowOfEntry(int entry) const;
    int entryCount() const;

  private:
    void applyFilter();
    bool changed(int row) const;

    const DocumentSession& session_;
    QString filter_;
    std::vector<int> entries_;     // entries_[row]; empty without a filter
    std::vector<int> rowOfEntry_;  // the inverse; empty without a filter
    QFont changedFont_;
    QString changedText_;
};

}  // namespace wendrake
