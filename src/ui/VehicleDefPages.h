#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

#include "model/EditorDocument.h"
#include "model/LanguageTable.h"
#include "ui/PicturePane.h"

namespace wendrake {

// The vehicle definition pages (`SSTab2`): each control bound to one field
// of the record at `CurrentVehicleDef`; the extra controls follow the
// vehicle's type (car: wheel model and wheel scale; plane: one extra value;
// other types: none).
class VehicleDefPages final : public QTabWidget {
    Q_OBJECT
public:
    explicit VehicleDefPages(EditorDocument& document, QWidget* parent = nullptr);

    void applyLanguage(const LanguageTable& language);

    // Fills every control from the record at `CurrentVehicleDef` with the
    // edit handlers held back and applies the extra-field rule. Changes
    // neither the record nor `SavedFlag`.
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

signals:
    // The handling id box changed: the selected vehicle list entry follows it.
    void vehicleRenamed(const QString& name);
};

}  // namespace wendrake
