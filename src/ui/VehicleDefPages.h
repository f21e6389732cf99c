// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <optional>
#include <utility>
#include <vector>

#include "model/DocumentSession.h"
#include "model/LanguageTable.h"
#include "ui/PicturePane.h"

namespace wendrake {

// The vehicle definition pages (`vehicleDefPages`): each control bound to one field
// of the record at `CurrentVehicleDef`; the extra controls follow the
// vehicle's type (car: wheel model and wheel scale; plane: one extra value;
// other types: none).
class VehicleDefPages final : public QTabWidget {
    Q_OBJECT
  public:
    explicit VehicleDefPages(DocumentSession& session, QWidget* parent = nullptr);

    // Captions and tab texts of the language. The pages keep the table to
    // caption the extra fields of later vehicles: it must outlive them.
    void applyLanguage(const LanguageTable& language);

    // Fills every control from the record at `CurrentVehicleDef` with the
    // edit handlers held back and applies the extra-field rule. Changes
    // neither the record nor `SavedFlag`. A type or class that the combo does
    // not offer is shown as an extra entry below a separator.
    void showCurrentRecord();

    void showPicture(const QString& programFolder, const QString& name);

    QLineEdit* txtID;
    QLineEdit* txtModelName;
    QLineEdit* txtTXDName;
    QLineEdit* txtHandlingID;
    QLineEdit* txtGameName;
    QComboBox* cmbTyp;
    QComboBox* cmbKlasse;
    QLineEdit* txtFrequenz;
    QLineEdit* txtLevel;
    QLineEdit* txtCompRules;
    QLineEdit* txtExtra1;
    QComboBox* cmbExtra1;
    QLineEdit* txtExtra2;
    QLabel* lblExtra1;
    QLabel* lblExtra1Info;
    QLabel* lblExtra2;
    QLabel* lblExtra2Info;
    PicturePane* picFrame2;

  public slots:
    void txtID_Change();
    void txtModelName_Change();
    void txtTXDName_Change();
    void txtHandlingID_Change();
    void txtGameName_Change();
    void cmbTyp_Click();
    void cmbKlasse_Click();
    void txtFrequenz_Change();
    void txtLevel_Change();
    void txtCompRules_Change();
    void txtExtra1_Change();
    void cmbExtra1_Click();
    void txtExtra2_Change();

  private:
    QGridLayout* addFormPage(const QString& caption);
    void connectHandlers();
    const VehicleDefRecord* currentRecord() const;
    bool edit(std::optional<VehicleDefField> field, const QString& text);
    void applyExtraFieldRule(const VehicleDefRecord& record);
    QString text(int number) const;

    DocumentSession& session_;
    const LanguageTable* language_ = nullptr;
    // Caption and hint labels with the number of their text.
    std::vector<std::pair<QLabel*, int>> captions_;
    // True while the controls are filled from the record: no handler stores.
    bool displaying_ = false;
    // The extra captions are those of a plane (texts 151 and 147).
    bool planeCaptions_ = false;
};

}  // namespace wendrake
