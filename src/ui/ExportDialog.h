// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QWidget>

#include "model/EditorDocument.h"
#include "model/LanguageTable.h"
#include "model/VehicleList.h"
#include "ui/Desktop.h"

namespace wendrake {

// The export window: the player moves vehicles from the available list to
// the export list and writes their handling lines to an exchange file. Both
// lists keep the vehicle list's order. It never changes the document.
class ExportDialog final : public QWidget {
    Q_OBJECT
  public:
    ExportDialog(const EditorDocument& document, Desktop& desktop, QWidget* parent = nullptr);

    // Captions of the language; the window keeps the table for its messages,
    // so it must outlive the window.
    void applyLanguage(const LanguageTable& language);

    // Every entry of the vehicle list available, none chosen yet. The names
    // are taken as they are now: a vehicle renamed later is no longer found.
    void fill(const VehicleList& vehicles);

  public slots:
    void addChosen();
    void addAll();
    void removeChosen();
    void removeAll();
    void exportChosen();
    void closeWindow();

  private:
    // Moves the selected entries (or all) of one list into the other, each
    // to its sorted place.
    void move(VehicleList& from, QListWidget* fromView, VehicleList& to, QListWidget* toView,
              bool all);
    QString text(int number) const;

    QLabel* availableCaption_;
    QListWidget* availableList_;
    QLabel* chosenCaption_;
    QListWidget* chosenList_;
    QPushButton* addButton_;
    QPushButton* addAllButton_;
    QPushButton* removeButton_;
    QPushButton* removeAllButton_;
    QPushButton* exportButton_;
    QPushButton* closeButton_;
    const EditorDocument& document_;
    Desktop& desktop_;
    const LanguageTable* language_ = nullptr;
    VehicleList available_;  // what availableList_ shows
    VehicleList chosen_;     // what chosenList_ shows, in the order it is written
};

}  // namespace wendrake
