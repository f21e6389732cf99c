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
#include <QSpinBox>
#include <QTabWidget>
#include <optional>
#include <string>

#include "model/DocumentSession.h"
#include "model/LanguageTable.h"
#include "ui/Desktop.h"

namespace wendrake {

// The colour page: the palette beside the colour pairs of the shown model.
// Every edit goes to the session at once; showing something never changes it.
// The controls keep the object names tests know them by ("lstColors",
// "cmbColor1", "cmdAddColor", ...).
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

    // Selects colour `colour` in the palette list and shows it.
    void selectColour(int colour);

  private:
    void showSelectedColour();
    void redBarMoved();
    void greenBarMoved();
    void blueBarMoved();
    void storeColourName();
    void storeHexCode();
    void chooseColour();
    void addColour();
    void deleteColour();
    void showSelectedPair();
    void showFirstChoice();
    void showSecondChoice();
    void addPair();
    void removePair();
    void movePairUp();
    void movePairDown();
    void movePair(int step);
    void colourChanged(int row);
    void relistPairs();

    QWidget* buildPaletteGroup();
    QWidget* buildPairsGroup();
    void connectHandlers();
    const ColourTableEntry* selectedColour() const;
    const CarColourRecord* currentCarColour() const;
    int selectedPair() const;
    void showColour(const ColourTableEntry* entry);
    void barChanged(QScrollBar* bar, QSpinBox* number, std::int16_t ColourTableEntry::*part);
    // Stores all three parts of the selected colour as one change.
    void storeColour(const QColor& colour);
    QString deleteQuestion(int colour) const;
    void fillChoosers();
    void showChosen(QComboBox* chooser, QFrame* preview);
    QString text(int number) const;

    DocumentSession& session_;
    Desktop& desktop_;
    const LanguageTable* language_ = nullptr;
    // The record whose pairs are listed, to list them again when the palette
    // may have changed their names; -1 for none.
    int shownModel_ = -1;
    // True while the controls show an entry: no handler stores.
    bool displaying_ = false;

    QGroupBox* paletteGroup_;
    QListWidget* paletteList_;
    QLabel* colourNameLabel_;
    QLineEdit* colourNameEdit_;
    QLabel* redLabel_;
    QLabel* greenLabel_;  // object name "lblGrün"
    QLabel* blueLabel_;
    QScrollBar* redBar_;
    QScrollBar* greenBar_;
    QScrollBar* blueBar_;
    QSpinBox* redNumber_;
    QSpinBox* greenNumber_;
    QSpinBox* blueNumber_;
    QLabel* hexLabel_;
    QLineEdit* hexEdit_;
    QPushButton* chooseColourButton_;
    QFrame* colourPreview_;
    QPushButton* addColourButton_;
    QPushButton* deleteColourButton_;
    QGroupBox* pairsGroup_;
    QListWidget* pairList_;
    QPushButton* removePairButton_;
    QPushButton* pairUpButton_;
    QPushButton* pairDownButton_;
    QGroupBox* addPairGroup_;
    QLabel* firstColourLabel_;
    QLabel* secondColourLabel_;
    QComboBox* firstColourChooser_;
    QComboBox* secondColourChooser_;
    QFrame* firstColourPreview_;
    QFrame* secondColourPreview_;
    QPushButton* addPairButton_;
};

}  // namespace wendrake
