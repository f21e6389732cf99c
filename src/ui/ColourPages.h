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

#include "model/LanguageTable.h"

namespace wendrake {

// The colour pages (`SSTab3`): the palette ("Farbentabelle") and the colour
// pairs of each model ("Autotabelle").
class ColourPages final : public QTabWidget {
    Q_OBJECT
  public:
    explicit ColourPages(QWidget* parent = nullptr);

    void applyLanguage(const LanguageTable& language);

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

  private:
    QWidget* buildPalettePage();
    QWidget* buildPairsPage();
};

}  // namespace wendrake
