// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <array>
#include <optional>
#include <vector>

#include "model/DocumentSession.h"
#include "model/LanguageTable.h"
#include "ui/PicturePane.h"

namespace wendrake {

// The vehicle definition page: the vehicle's picture beside its references
// and properties, each control bound to one field of the selected record.
// The extra controls follow the vehicle's type (car: wheel model and wheel
// scale; plane: the low-detail model; other types: none).
//
// The controls keep the object names tests and error rows know them by
// ("txtID", "cmbTyp", "cmbExtra1", ...).
class VehicleDefPages final : public QTabWidget {
    Q_OBJECT
  public:
    explicit VehicleDefPages(DocumentSession& session, QWidget* parent = nullptr);

    // Captions, page title and the controls' explanations of the language,
    // each caption with a mnemonic for its box. The pages keep the table to caption the extra
    // fields of later vehicles: it must outlive them.
    void applyLanguage(const LanguageTable& language);

    // Fills every control from the selected record with the edit handlers
    // held back and shows the extra controls of its type. Changes neither
    // the record nor the saved state. A type or class that the list does not
    // offer is shown as an extra entry below a separator.
    void showCurrentRecord();

    void showPicture(const QString& programFolder, const QString& name);

    // The control that edits `field` (for Extra1 the one the shown type
    // uses), for marking a reported value.
    QWidget* editorOfField(VehicleDefField field) const;

  private:
    // A caption or hint label with its design text and language text.
    struct Caption {
        QLabel* label;
        const char* designText;
        int text;
    };

    QWidget* buildGroup(int group);
    void connectEditors();
    const VehicleDefRecord* currentRecord() const;
    // Stores `value` into `field` of the selected record; idle while showing.
    bool store(std::optional<VehicleDefField> field, const QString& value);
    void storeWheelModel();
    void typeChosen();
    void showExtraControls(const VehicleDefRecord& record);
    // Puts the texts of the language (design texts without one) on every
    // label, those of the extra value for the shown type.
    void showCaptions();
    // What each control's value does, in its tooltip and accessible
    // description.
    void explainControls(const LanguageTable& language);

    DocumentSession& session_;
    const LanguageTable* language_ = nullptr;
    std::vector<Caption> captions_;
    std::array<QGroupBox*, 2> groups_{};
    std::vector<QLabel*> captionLabels_;  // with a box each, for the mnemonics
    bool showing_ = false;                // the display is filling the controls
    bool planeCaptions_ = false;          // the extra value is a plane's

    QLineEdit* idEdit_;
    QLineEdit* modelNameEdit_;
    QLineEdit* textureNameEdit_;
    QLineEdit* handlingIdEdit_;
    QLineEdit* gameNameEdit_;
    QComboBox* typeChooser_;
    QComboBox* classChooser_;
    QLineEdit* frequencyEdit_;
    QLineEdit* levelEdit_;
    QLineEdit* compRulesEdit_;
    QComboBox* wheelModelChooser_;   // a car's first extra value
    QLineEdit* lowDetailModelEdit_;  // a plane's first extra value
    QLineEdit* wheelScaleEdit_;      // a car's second extra value
    QLabel* extraLabel_ = nullptr;
    QLabel* extraHint_ = nullptr;
    QLabel* wheelScaleLabel_ = nullptr;
    QLabel* wheelScaleHint_ = nullptr;
    PicturePane* picture_;
};

}  // namespace wendrake
