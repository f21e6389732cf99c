// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <array>
#include <string>

#include "model/DocumentSession.h"
#include "model/LanguageTable.h"
#include "ui/PicturePane.h"

namespace wendrake {

// The handling pages: every value of the selected vehicle in labelled groups
// beside its picture, with the flag boxes and their value in the file; the
// file's author and date and the vehicle exchange on a second page. Every
// edit goes to the session at once; showing a record never changes anything.
//
// The value controls keep the object names the error rows and tests know
// them by ("txtGewicht", "cmbAntrieb", "chkABS", "chkFlag1" ...).
class HandlingPages final : public QTabWidget {
    Q_OBJECT
  public:
    explicit HandlingPages(DocumentSession& session, QWidget* parent = nullptr);

    // Captions with their units, page and group titles, hint texts and combo
    // entries of the language; each caption gets a mnemonic for its box.
    // Every control explains its value in its tooltip and accessible
    // description; the flag boxes name their flags in words.
    void applyLanguage(const LanguageTable& language);

    // Fills every control from the selected record with the edit handlers
    // held back; without one, empties them.
    void showCurrentRecord();

    // The picture of vehicle `name` beside the values.
    void showPicture(const QString& programFolder, const QString& name);

    // The control that edits field `field` (0 to 31; the first flag box for
    // the flags); for jumping to a reported value.
    QWidget* editorOfField(int field) const;

    // Author and date of the file, shown without marking the document unsaved.
    void showAuthorAndDate();

  public slots:
    // Shows the page of field `field`, scrolls its control into view and
    // gives it the focus; for jumping to a reported value.
    void focusField(int field);

  signals:
    void importRequested();
    void exportRequested();

  private:
    QWidget* buildVehiclePage();
    QWidget* buildValueGroup(int group);
    QWidget* buildFlagGroup();
    QWidget* buildFilePage();
    QWidget* makeEditor(HandlingField field);
    void connectEditors();
    void alignCaptionColumns();
    void giveMnemonicsToLabels(const QString& taken);
    void explainFlagBoxes(const LanguageTable& language);

    const HandlingRecord* currentRecord() const;
    // Stores `value` into field `field` of the selected record (nothing when
    // there is none); idle while showing.
    void store(HandlingField field, std::string value);
    void storeChoice(HandlingField field);
    void storeName();
    void storeFlagBox(int box);
    // The flags text of the selected record, as the file will hold it.
    void showFlagsValue();

    DocumentSession& session_;
    bool showing_ = false;  // the display is filling the controls
    std::array<QWidget*, kHandlingFieldCount> editors_{};
    std::array<QLabel*, kHandlingFieldCount> captionLabels_{};
    std::array<QLabel*, kHandlingFieldCount> hintLabels_{};
    std::array<QGroupBox*, 5> valueGroups_{};
    QGroupBox* flagGroup_ = nullptr;
    std::array<QCheckBox*, 16> flagBoxes_{};
    QLabel* flagsValueLabel_ = nullptr;
    QLineEdit* flagsValue_ = nullptr;
    PicturePane* picture_ = nullptr;
    QPushButton* importButton_ = nullptr;
    QPushButton* exportButton_ = nullptr;
    QLabel* authorLabel_ = nullptr;
    QLineEdit* authorEdit_ = nullptr;
    QLabel* dateLabel_ = nullptr;
    QLineEdit* dateEdit_ = nullptr;
};

}  // namespace wendrake
