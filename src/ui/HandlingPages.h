#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <array>

#include "model/EditorDocument.h"
#include "model/LanguageTable.h"
#include "ui/PicturePane.h"

namespace wendrake {

// The handling pages (`SSTab1`): eight pages of controls, each bound to one
// field of the record at `CurrentHandling`. Every edit lands in the record
// at once and marks the document unsaved; showing a record never does.
class HandlingPages final : public QTabWidget {
    Q_OBJECT
public:
    explicit HandlingPages(EditorDocument& document, QWidget* parent = nullptr);

    // Captions, tab texts, hint texts and combo entries of the language.
    void applyLanguage(const LanguageTable& language);

    // Fills every control from the record at `CurrentHandling` with the edit
    // handlers held back. The only change to the record: an empty ABS becomes
    // "0". `SavedFlag` is left as it is.
    void showCurrentRecord();

    // The picture of vehicle `name` on the picture page.
    void showPicture(const QString& programFolder, const QString& name);

    // The control that edits field `field` (0 to 31; the first flag box for
    // the flags), and the page it lies on; for jumping to a reported value.
    QWidget* editorOfField(int field) const;

    // Author and date of the file (page "Sonstiges"), shown without marking
    // the document unsaved.
    void showAuthorAndDate();

    // Controls, named as in the window.
    QLineEdit* txtAutoname;
    QLineEdit* txtGewicht;
    QLineEdit* txtBreite;
    QLineEdit* txtHoehe;
    QLineEdit* txtLaenge;
    QLineEdit* txtMassenmittelpX;
    QLineEdit* txtMassenmittelpY;
    QLineEdit* txtMassenmittelpZ;
    QLineEdit* txtSubMerged;
    QLineEdit* txtTractionMulti;
    QLineEdit* txtTractionLoss;
    QLineEdit* txtTractionBias;
    QLineEdit* txtGaenge;
    QLineEdit* txtGeschwindigkeit;
    QLineEdit* txtBeschleunigung;
    QComboBox* cmbAntrieb;
    QComboBox* cmbMotor;
    QLineEdit* txtBremsstaerke;
    QLineEdit* txtBrakeBias;
    QCheckBox* chkABS;
    QLineEdit* txtRadeinschlag;
    QLineEdit* txtKraftlevel;
    QLineEdit* txtDLevel;
    QLineEdit* txtPedSeat;
    QLineEdit* txtKoll;
    QLineEdit* txtPreis;
    QLineEdit* txtOLimit;
    QLineEdit* txtULimit;
    QLineEdit* txtBias;
    QComboBox* cmbFrontLichter;
    QComboBox* cmbRearLichter;
    std::array<QCheckBox*, 16> chkFlag{};  // chkFlag[0] is `chkFlag1`
    PicturePane* picFrame;
    QPushButton* cmdImportCar;
    QPushButton* cmdExportCar;
    QLineEdit* txtAuthor;
    QLineEdit* txtDate;

signals:
    // The name box changed: the selected vehicle list entry follows it.
    void vehicleRenamed(const QString& name);
};

}  // namespace wendrake
