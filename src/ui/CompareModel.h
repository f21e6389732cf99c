// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>
#include <QFont>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/DocumentSession.h"
#include "ui/CompareRows.h"

namespace wendrake {

// The values of several vehicles side by side: a line per value, a column
// per vehicle. A value that differs from the first vehicle's is bold on a
// coloured ground and says "differs" to a screen reader. Values are read
// from the document whenever they are shown, never copied.
class CompareModel final : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit CompareModel(const DocumentSession& session, QObject* parent = nullptr);

    // The texts a differing value adds: after its value for a screen
    // reader, and in its tooltip with %1 the first vehicle.
    void setTexts(const QString& differs, const QString& differsFrom);

    // Records of the loaded kind, one column each, the first the one the
    // others are measured against; shown in the lines of `layout`.
    void compare(std::vector<int> records, CompareLayout layout);
    void clear() { compare({}, {}); }
    const std::vector<int>& records() const { return records_; }
    bool compares(int record) const { return columnOf_.contains(record); }
    const CompareLayout& layout() const { return layout_; }

    // Values of `record` changed, of any record when -1: only its column is
    // asked again, all of them when it is the first.
    void recordChanged(int record);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    const CompareRow* rowAt(int row) const;
    int recordAt(int column) const;
    // The value of line `row` in `record`, as the file holds it.
    std::string valueOf(int row, int record) const;
    bool differs(int row, int column) const;
    // The name of `record` in the vehicle list.
    QString nameOf(int record) const;

  private:
    const DocumentSession& session_;
    std::vector<int> records_;
    std::unordered_map<int, int> columnOf_;
    CompareLayout layout_;
    QFont differingFont_;
    QFont titleFont_;
    QString differs_;
    QString differsFrom_;
};

// True when the game reads `a` and `b` as the same value: the same text, or
// two spellings of one number ("1050.0" and "1050").
bool sameValue(const std::string& a, const std::string& b);

}  // namespace wendrake
