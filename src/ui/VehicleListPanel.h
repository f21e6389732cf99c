// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGroupBox>
#include <vector>

#include "model/DocumentSession.h"
#include "model/LanguageTable.h"

class QLabel;
class QLineEdit;
class QListView;
class QStatusBar;

namespace wendrake {

class VehicleListModel;

// The vehicle list beside the pages: a filter box over the list of the
// vehicles whose names contain its text, and a count of them for the status
// bar. Choosing a row, by mouse or key, asks for its vehicle to be shown;
// choosing several (Ctrl or Shift with a click or the arrows) asks for them
// to be compared. Filtering never does either, it only keeps the rows of the
// shown vehicles selected while they stay in the list.
class VehicleListPanel final : public QGroupBox {
    Q_OBJECT
  public:
    explicit VehicleListPanel(const DocumentSession& session, QWidget* parent = nullptr);

    void applyLanguage(const LanguageTable& language);
    // Puts the count of listed vehicles at the right of `bar`.
    void placeCountIn(QStatusBar* bar);

    enum class Filter { Cleared, Kept };
    // The list was replaced: no row is chosen and the list shows its top.
    // A new file clears the filter; names changed in the same file (a
    // revert, a paste of names, their undo) keep it.
    void reload(Filter filter = Filter::Cleared);
    // Chooses entry `entry`, clearing a filter that hides it.
    void chooseEntry(int entry);
    // Names renamed in place and the marks of changed vehicles.
    void followChange(const SessionChange& change);
    // Focuses the filter box with its text selected, to be typed over.
    void focusFilter();

    QString filterText() const;

  signals:
    void vehicleChosen(int record);
    // The text of the filter box changed, by the player or by a reload.
    void filterTextChanged(const QString& text);
    // The records of the rows chosen, the first chosen first.
    void vehiclesCompared(const std::vector<int>& records);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void filterChanged(const QString& text);
    void selectionChanged();
    // Makes the rows of the shown records selected, the first current,
    // without showing them again.
    void selectShownRecords();
    void showCount();

    const DocumentSession& session_;
    VehicleListModel* model_;
    QLineEdit* filterBox_;
    QListView* list_;
    QLabel* count_;
    QString countText_;
    // Set while the rows are changed by the program rather than chosen.
    bool quiet_ = false;
    // The records of the chosen rows, in the order they were chosen.
    std::vector<int> chosen_;
};

}  // namespace wendrake
