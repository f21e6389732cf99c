// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <optional>
#include <string>

#include "model/DocumentSession.h"
#include "model/LanguageTable.h"
#include "ui/Desktop.h"

namespace wendrake {

// The colour pages: the palette and the colour pairs of each model. Every
// edit goes to the session at once; showing something never changes it.
class ColourPages final : public QTabWidget {
    Q_OBJECT
  public:
    ColourPages(DocumentSession& session, Desktop& desktop, QWidget* parent = nullptr);

    // Captions and tab texts. The pages keep the table for their messages: it
    // must outlive them.
    void applyLanguage(const LanguageTable& language);

    // After the palette was read or restored: the palette list and both
    // choosers show the palette, the first colour selected; the pair list is
    // empty until a model is shown.
    void showPalette();

    // Lists the pairs of record `record`; a value that names no colour is
    // listed as an unknown colour and stays as it is.
    void showModel(int record);

    QListWidget* lstColors;
    QLabel* lblColorName;
    QLineEdit* txtColorName;
    QLabel* lblRot;
    QLabel* lblGruen;  // object name "lblGrün"
    QLabel* lblBlau;
    QScrollBar* HScroll1;
    QScrollBar* HScroll2;
    QScrollBar* HScroll3;
    QLabel* lblRotWert;
    QLabel* lblGruenWert;  // object name "lblGrünWert"
    QLabel* lblBlauWert;
    QFrame* picFarbe;
    QPushButton* cmdNewColor;
    QPushButton* cmdDeleteColor;
    QGroupBox* frameColors;
    QListWidget* lstCarColors;
    QPushButton* cmdRemColor;
    QGroupBox* frameAddColors;
    QLabel* lblColor1;
    QLabel* lblColor2;
    QComboBox* cmbColor1;
    QComboBox* cmbColor2;
    QFrame* picColor1;
    QFrame* picColor2;
    QPushButton* cmdAddColor;

  public slots:
    void lstColors_Click();
    void HScroll1_Change();
    void HScroll2_Change();
    void HScroll3_Change();
    void txtColorName_Change();
    void cmdNewColor_Click();
    void cmdDeleteColor_Click();
    void lstCarColors_Click();
    void cmbColor1_Click();
    void cmbColor2_Click();
    void cmdAddColor_Click();
    void cmdRemColor_Click();
    // `previousPage` is the page shown before the change.
    void SSTab3_Click(int previousPage);

  private:
    QWidget* buildPalettePage();
    QWidget* buildPairsPage();
    void connectHandlers();
    const ColourTableEntry* selectedColour() const;
    const CarColourRecord* currentCarColour() const;
    int selectedPair() const;
    void showColour(const ColourTableEntry* entry);
    void barChanged(QScrollBar* bar, QLabel* value, std::int16_t ColourTableEntry::*part);
    void fillChoosers();
    void showChosen(QComboBox* chooser, QFrame* preview);
    QString text(int number) const;

    DocumentSession& session_;
    Desktop& desktop_;
    const LanguageTable* language_ = nullptr;
    // The record whose pairs are listed, to list them again when the palette
    // may have changed their names; -1 for none.
    int shownModel_ = -1;
    int currentPage_ = 0;
    // True while the controls show an entry: no handler stores.
    bool displaying_ = false;
};

}  // namespace wendrake
