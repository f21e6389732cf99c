// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <array>

#include "model/DocumentSession.h"
#include "model/LanguageTable.h"
#include "ui/PicturePane.h"

namespace wendrake {

// The handling pages: eight pages of controls, each bound to one field of
// the selected record. Every edit goes to the session at once; showing a
// record never changes anything.
class HandlingPages final : public QTabWidget {
    Q_OBJECT
  public:
    explicit HandlingPages(DocumentSession& session, QWidget* parent = nullptr);

    // Captions, tab texts, hint texts and combo entries of the language.
    void applyLanguage(const LanguageTable& language);

    // Fills every control from the selected record with the edit handlers
    // held back; without one, empties them.
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

  public slots:
    // Puts the control of field `field` in view on its page and gives it the
    // focus; for jumping to a reported value.
    void focusField(int field);

    // One handler per control and event: each stores the control's value into
    // its field of the current record and marks the document unsaved.
    void txtAutoname_Change();
    void txtGewicht_Change();
    void txtBreite_Change();
    void txtHoehe_Change();
    void txtLaenge_Change();
    void txtMassenmittelpX_Change();
    void txtMassenmittelpY_Change();
    void txtMassenmittelpZ_Change();
    void txtSubMerged_Change();
    void txtTractionMulti_Change();
    void txtTractionLoss_Change();
    void txtTractionBias_Change();
    void txtGaenge_Change();
    void txtGeschwindigkeit_Change();
    void txtBeschleunigung_Change();
    void cmbAntrieb_Click();
    void cmbMotor_Click();
    void txtBremsstaerke_Change();
    void txtBrakeBias_Change();
    void chkABS_Click();
    void txtRadeinschlag_Change();
    void txtKraftlevel_Change();
    void txtDLevel_Change();
    void txtPedSeat_Change();
    void txtKoll_Change();
    void txtPreis_Change();
    void txtOLimit_Change();
    void txtULimit_Change();
    void txtBias_Change();
    void cmbFrontLichter_Click();
    void cmbRearLichter_Click();
    void chkFlag1_Click();
    void chkFlag2_Click();
    void chkFlag3_Click();
    void chkFlag4_Click();
    void chkFlag5_Click();
    void chkFlag6_Click();
    void chkFlag7_Click();
    void chkFlag8_Click();
    void chkFlag9_Click();
    void chkFlag10_Click();
    void chkFlag11_Click();
    void chkFlag12_Click();
    void chkFlag13_Click();
    void chkFlag14_Click();
    void chkFlag15_Click();
    void chkFlag16_Click();
    void txtAuthor_Change();
    void txtDate_Change();

  private:
    QWidget* addPage(QWidget* content);
    QWidget* buildValuePage(int page);
    QWidget* buildFlagPage();
    QWidget* buildPicturePage();
    QWidget* buildOtherPage();
    void connectHandlers();
    void alignValueColumns();

    const HandlingRecord* currentRecord() const;
    // Stores `value` into field `field` of the selected record (nothing when
    // there is none); idle while showing.
    void store(HandlingField field, std::string value);
    void storeText(HandlingField field, const QLineEdit* edit);
    void storeChoice(HandlingField field, const QComboBox* combo);
    void storeName();
    void storeFlagBox(int box);
    void storeAuthor();
    void storeDate();

    DocumentSession& session_;
    bool showing_ = false;  // the display is filling the controls
    std::array<QWidget*, kHandlingFieldCount> editors_{};
    std::array<QLabel*, kHandlingFieldCount> captionLabels_{};
    std::array<QLabel*, kHandlingFieldCount> hintLabels_{};
    std::array<QGridLayout*, 5> valueGrids_{};
    QGroupBox* frameAuthor;
    QGroupBox* frameDate;
};

}  // namespace wendrake
