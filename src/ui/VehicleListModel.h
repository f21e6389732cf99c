// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractListModel>

#include "model/VehicleList.h"

namespace wendrake {

// Shows the document's vehicle list in a combo box without copying it, so a
// list of 32767 vehicles is filled at once.
class VehicleListModel final : public QAbstractListModel {
    Q_OBJECT
  public:
    VehicleListModel(const VehicleList& list, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Call after the list has been replaced.
    void reload();
    // Call after the text of entry `row` changed in place.
    void entryChanged(int row);

  private:
    const VehicleList& list_;
};

}  // namespace wendrake
