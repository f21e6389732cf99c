#include "ColourPages.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QScrollArea>
#include <QVBoxLayout>
#include <array>

#include "platform/LanguageFiles.h"

namespace wendrake {

namespace {

template <typename Widget>
Widget* named(Widget* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

QLabel* label(const QString& name, const QString& designText) {
    return named(new QLabel(designText), name);
}

QPushButton* button(const QString& name, const QString& designText) {
    return named(new QPushButton(designText), name);
}

// A red, green or blue bar; the game keeps each part of a colour in a byte.
QScrollBar* colourBar(const QString& name) {
    auto* bar = named(new QScrollBar(Qt::Horizontal), name);
    bar->setRange(0, 255);
    bar->setPageStep(16);
    bar->setMinimumWidth(200);
    return bar;
}

QLabel* barValue(const QString& name) {
    auto* value = label(name, QStringLiteral("0"));
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
    return value;
}

// A box filled with one colour (its palette's Window role).
QFrame* swatch(const QString& name, QSize size) {
    auto* box = named(new QFrame, name);
    box->setFrameStyle(QFrame::Box | QFrame::Plain);
    box->setAutoFillBackground(true);
    box->setMinimumSize(size);
    return box;
}

QWidget* scrolling(QWidget* content) {
    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(content);
    return scroll;
}

}  // namespace

ColourPages::ColourPages(QWidget* parent) : QTabWidget(parent) {
    setObjectName(QStringLiteral("SSTab3"));
    addTab(scrolling(buildPalettePage()), QStringLiteral("Farbentabelle"));
    addTab(scrolling(buildPairsPage()), QStringLiteral("Autotabelle"));
}

QWidget* ColourPages::buildPalettePage() {
    lstColors = named(new QListWidget, QStringLiteral("lstColors"));
    lstColors->setMinimumWidth(240);
    lblColorName = label(QStringLiteral("lblColorName"), QStringLiteral("Name"));
    txtColorName = named(new QLineEdit, QStringLiteral("txtColorName"));
    lblRot = label(QStringLiteral("lblRot"), QStringLiteral("Rot"));
    lblGruen = label(QStringLiteral("lblGrün"), QStringLiteral("Grün"));
    lblBlau = label(QStringLiteral("lblBlau"), QStringLiteral("Blau"));
    HScroll1 = colourBar(QStringLiteral("HScroll1"));
    HScroll2 = colourBar(QStringLiteral("HScroll2"));
    HScroll3 = colourBar(QStringLiteral("HScroll3"));
    lblRotWert = barValue(QStringLiteral("lblRotWert"));
    lblGruenWert = barValue(QStringLiteral("lblGrünWert"));
    lblBlauWert = barValue(QStringLiteral("lblBlauWert"));
    // The preview starts as the colour of the three bars at 0.
    picFarbe = swatch(QStringLiteral("picFarbe"), QSize(120, 56));
    QPalette black = picFarbe->palette();
    black.setColor(QPalette::Window, Qt::black);
    picFarbe->setPalette(black);
    cmdNewColor = button(QStringLiteral("cmdNewColor"), QStringLiteral("Farbe hinzufügen"));
    cmdDeleteColor = button(QStringLiteral("cmdDeleteColor"), QStringLiteral("Farbe löschen"));

    auto* editor = new QGridLayout;
    editor->setHorizontalSpacing(12);
    editor->setVerticalSpacing(10);
    editor->addWidget(lblColorName, 0, 0);
    editor->addWidget(txtColorName, 0, 1, 1, 2);
    const std::array<std::array<QWidget*, 3>, 3> bars{{{lblRot, HScroll1, lblRotWert},
                                                       {lblGruen, HScroll2, lblGruenWert},
                                                       {lblBlau, HScroll3, lblBlauWert}}};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            editor->addWidget(bars[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)],
                              row + 1, column);
        }
    }
    editor->addWidget(picFarbe, 4, 1, 1, 2);
    editor->setColumnStretch(1, 1);

    auto* commands = new QHBoxLayout;
    commands->addWidget(cmdNewColor);
    commands->addWidget(cmdDeleteColor);
    commands->addStretch();

    // The editor keeps a readable width; a wide window gives the room to the list.
    auto* side = new QWidget;
    side->setMaximumWidth(480);
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    sideLayout->addLayout(editor);
    sideLayout->addSpacing(8);
    sideLayout->addLayout(commands);
    sideLayout->addStretch();

    auto* page = new QWidget;
    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(20);
    layout->addWidget(lstColors, 1);
    layout->addWidget(side, 1);
    return page;
}

QWidget* ColourPages::buildPairsPage() {
    lstCarColors = named(new QListWidget, QStringLiteral("lstCarColors"));
    lstCarColors->setMinimumWidth(240);
    cmdRemColor = button(QStringLiteral("cmdRemColor"), QStringLiteral("Entfernen"));
    frameColors = named(new QGroupBox(QStringLiteral("Autofarben")), QStringLiteral("frameColors"));
    auto* pairs = new QVBoxLayout(frameColors);
    pairs->addWidget(lstCarColors, 1);
    auto* pairCommands = new QHBoxLayout;
    pairCommands->addStretch();
    pairCommands->addWidget(cmdRemColor);
    pairs->addLayout(pairCommands);

    lblColor1 = label(QStringLiteral("lblColor1"), QStringLiteral("Farbe 1"));
    lblColor2 = label(QStringLiteral("lblColor2"), QStringLiteral("Farbe 2"));
    cmbColor1 = named(new QComboBox, QStringLiteral("cmbColor1"));
    cmbColor2 = named(new QComboBox, QStringLiteral("cmbColor2"));
    cmbColor1->setMinimumWidth(200);
    cmbColor2->setMinimumWidth(200);
    picColor1 = swatch(QStringLiteral("picColor1"), QSize(48, 24));
    picColor2 = swatch(QStringLiteral("picColor2"), QSize(48, 24));
    cmdAddColor = button(QStringLiteral("cmdAddColor"), QStringLiteral("Hinzufügen"));
    frameAddColors =
        named(new QGroupBox(QStringLiteral("Farbe hinzufügen")), QStringLiteral("frameAddColors"));
    auto* choosers = new QGridLayout(frameAddColors);
    choosers->setHorizontalSpacing(12);
    choosers->setVerticalSpacing(10);
    choosers->addWidget(lblColor1, 0, 0);
    choosers->addWidget(cmbColor1, 0, 1);
    choosers->addWidget(picColor1, 0, 2);
    choosers->addWidget(lblColor2, 1, 0);
    choosers->addWidget(cmbColor2, 1, 1);
    choosers->addWidget(picColor2, 1, 2);
    choosers->addWidget(cmdAddColor, 2, 1, 1, 2, Qt::AlignRight);
    choosers->setColumnStretch(1, 1);
    choosers->setRowStretch(3, 1);

    auto* page = new QWidget;
    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(20);
    layout->addWidget(frameColors, 1);
    layout->addWidget(frameAddColors, 1, Qt::AlignTop);
    return page;
}

void ColourPages::applyLanguage(const LanguageTable& language) {
    const auto text = [&language](int number) { return languageText(language, number); };
    setTabText(0, text(155));
    setTabText(1, text(156));
    cmdNewColor->setText(text(157));
    cmdDeleteColor->setText(text(158));
    lblColorName->setText(text(159));
    lblRot->setText(text(160));
    lblGruen->setText(text(161));
    lblBlau->setText(text(162));
    frameAddColors->setTitle(text(163));
    lblColor1->setText(text(164));
    lblColor2->setText(text(165));
    cmdAddColor->setText(text(166));
    frameColors->setTitle(text(167));
    cmdRemColor->setText(text(168));
}

}  // namespace wendrake
