// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColourPages.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <new>

#include "io/FileAccess.h"
#include "io/LanguageFiles.h"
#include "model/ColourEditing.h"
#include "model/ReadFailure.h"
#include "ui/ShownText.h"
#include "ui/ValueEdit.h"

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

void paint(QFrame* box, const QColor& colour) {
    QPalette filled = box->palette();
    filled.setColor(QPalette::Window, colour);
    box->setPalette(filled);
}

// A file may hold parts outside a byte; the preview shows what the bars show.
QColor colourOf(const ColourTableEntry& entry) {
    const auto part = [](std::int16_t value) { return std::clamp<int>(value, 0, 255); };
    return QColor(part(entry.Red), part(entry.Green), part(entry.Blue));
}

// Rows carry a sample of their colours: names alone rarely tell two blues apart.
constexpr QSize kSampleSize(30, 14);

QIcon sample(const QList<QColor>& colours) {
    QPixmap pixmap(kSampleSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    const int width = kSampleSize.width() / static_cast<int>(colours.size());
    for (int k = 0; k < colours.size(); ++k) {
        painter.fillRect(k * width, 0, width, kSampleSize.height(), colours[k]);
    }
    painter.setPen(QColor(96, 96, 96));
    painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    painter.end();
    QIcon icon(pixmap);
    // A selected row would otherwise tint the sample with the highlight.
    icon.addPixmap(pixmap, QIcon::Selected);
    return icon;
}

void showEntry(QListWidgetItem* item, const ColourTableEntry& entry) {
    item->setText(shownText(colourListText(entry)));
    item->setIcon(sample({colourOf(entry)}));
}

// The colour a pair value names; pair values are palette positions.
QColor colourAt(const std::vector<ColourTableEntry>& palette, int value) {
    if (value < 0 || static_cast<std::size_t>(value) >= palette.size()) {
        return Qt::transparent;
    }
    return colourOf(palette[static_cast<std::size_t>(value)]);
}

void addPairRow(QListWidget* list, const QString& text,
                const std::vector<ColourTableEntry>& palette, int first, int second) {
    list->addItem(
        new QListWidgetItem(sample({colourAt(palette, first), colourAt(palette, second)}), text));
}

// A palette or pair table never grows past what 16-bit counters can number.
QString overflowNotice() {
    return errorNotice(kOverflowCode, QStringLiteral("Overflow"));
}

template <typename Container>
bool holds(const Container& items, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < items.size();
}

QWidget* scrolling(QWidget* content) {
    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(content);
    return scroll;
}

}  // namespace

ColourPages::ColourPages(DocumentSession& session, Desktop& desktop, QWidget* parent)
    : QTabWidget(parent), session_(session), desktop_(desktop) {
    setObjectName(QStringLiteral("colourPages"));
    addTab(scrolling(buildPalettePage()), QStringLiteral("Farbentabelle"));
    addTab(scrolling(buildPairsPage()), QStringLiteral("Autotabelle"));
    connectHandlers();
}

QWidget* ColourPages::buildPalettePage() {
    lstColors = named(new QListWidget, QStringLiteral("lstColors"));
    lstColors->setMinimumWidth(240);
    lstColors->setIconSize(kSampleSize);
    lblColorName = label(QStringLiteral("lblColorName"), QStringLiteral("Name"));
    // A name may hold blanks: it is the end of the line's comment. Tabs and
    // line breaks, which would end it, are refused like in every box.
    txtColorName = valueEdit("txtColorName", QString());
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
    lstCarColors->setIconSize(kSampleSize);
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
    for (QComboBox* chooser : {cmbColor1, cmbColor2}) {
        chooser->setMinimumWidth(200);
        chooser->setIconSize(kSampleSize);
    }
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

void ColourPages::connectHandlers() {
    using Self = ColourPages;
    connect(lstColors, &QListWidget::currentRowChanged, this, &Self::lstColors_Click);
    connect(HScroll1, &QScrollBar::valueChanged, this, &Self::HScroll1_Change);
    connect(HScroll2, &QScrollBar::valueChanged, this, &Self::HScroll2_Change);
    connect(HScroll3, &QScrollBar::valueChanged, this, &Self::HScroll3_Change);
    connect(txtColorName, &QLineEdit::textChanged, this, &Self::txtColorName_Change);
    connect(cmdNewColor, &QPushButton::clicked, this, &Self::cmdNewColor_Click);
    connect(cmdDeleteColor, &QPushButton::clicked, this, &Self::cmdDeleteColor_Click);
    connect(lstCarColors, &QListWidget::currentRowChanged, this, &Self::lstCarColors_Click);
    // A click on the row already selected shows its pair again after the
    // player changed the choosers.
    connect(lstCarColors, &QListWidget::itemClicked, this, &Self::lstCarColors_Click);
    connect(cmbColor1, &QComboBox::currentIndexChanged, this, &Self::cmbColor1_Click);
    connect(cmbColor2, &QComboBox::currentIndexChanged, this, &Self::cmbColor2_Click);
    connect(cmdAddColor, &QPushButton::clicked, this, &Self::cmdAddColor_Click);
    connect(cmdRemColor, &QPushButton::clicked, this, &Self::cmdRemColor_Click);
    connect(this, &QTabWidget::currentChanged, this, [this](int page) {
        const int left = currentPage_;
        currentPage_ = page;
        SSTab3_Click(left);
    });
}

void ColourPages::applyLanguage(const LanguageTable& language) {
    language_ = &language;
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

QString ColourPages::text(int number) const {
    return language_ ? languageText(*language_, number) : QString();
}

void ColourPages::showPalette() {
    {
        const QSignalBlocker quiet(lstColors);
        lstColors->clear();
        for (const ColourTableEntry& entry : session_.document().ColourEntries) {
            auto* item = new QListWidgetItem(lstColors);
            showEntry(item, entry);
        }
        // The first colour is shown at once, so that the bars never hold the
        // values of the previous file.
        lstColors->setCurrentRow(lstColors->count() > 0 ? 0 : -1);
    }
    showColour(selectedColour());
    fillChoosers();
    {
        const QSignalBlocker quiet(lstCarColors);
        lstCarColors->clear();
    }
    shownModel_ = -1;
}

void ColourPages::showModel(int record) {
    {
        const QSignalBlocker quiet(lstCarColors);
        lstCarColors->clear();
    }
    shownModel_ = record;
    const auto& document = session_.document();
    if (!holds(document.CarColourRecords, record)) {
        return;
    }
    const CarColourRecord& model = document.CarColourRecords[static_cast<std::size_t>(record)];
    const std::vector<std::string> texts =
        describePairs(document.ColourEntries, model,
                      language_ ? language_->text(Text::UnknownColour) : std::string("?"));
    for (std::size_t j = 0; j < texts.size(); ++j) {
        addPairRow(lstCarColors, shownText(texts[j]), document.ColourEntries, model.Color1[j],
                   model.Color2[j]);
    }
}

const ColourTableEntry* ColourPages::selectedColour() const {
    const int i = lstColors->currentRow();
    const auto& palette = session_.document().ColourEntries;
    return holds(palette, i) ? &palette[static_cast<std::size_t>(i)] : nullptr;
}

// The record whose pairs the list shows; none when no model is shown, so
// that no pair lands in a model the player does not see.
const CarColourRecord* ColourPages::currentCarColour() const {
    const auto& records = session_.document().CarColourRecords;
    if (!holds(records, shownModel_)) {
        return nullptr;
    }
    return &records[static_cast<std::size_t>(shownModel_)];
}

// The pair of the shown record at the selected row, or -1.
int ColourPages::selectedPair() const {
    const CarColourRecord* record = currentCarColour();
    const int pair = lstCarColors->currentRow();
    if (!record) {
        return -1;
    }
    const bool complete = holds(record->Color1, pair) && holds(record->Color2, pair);
    return complete ? pair : -1;
}

// Showing an entry is no edit: the handlers of the filled controls run but
// store nothing, so a value outside 0 to 255 stays as read until its bar moves.
void ColourPages::showColour(const ColourTableEntry* entry) {
    const QScopedValueRollback guard(displaying_, true);
    showValue(txtColorName, entry ? entry->Name : std::string());
    // The bars clamp to their range.
    HScroll1->setValue(entry ? entry->Red : 0);
    HScroll2->setValue(entry ? entry->Green : 0);
    HScroll3->setValue(entry ? entry->Blue : 0);
}

void ColourPages::lstColors_Click() {
    if (const ColourTableEntry* entry = selectedColour()) {
        showColour(entry);
    }
}

void ColourPages::barChanged(QScrollBar* bar, QLabel* value, std::int16_t ColourTableEntry::*part) {
    paint(picFarbe, QColor(HScroll1->value(), HScroll2->value(), HScroll3->value()));
    value->setText(QString::number(bar->value()));
    const ColourTableEntry* entry = selectedColour();
    if (displaying_ || !entry) {
        return;
    }
    // Only the part whose bar moved changes: a part outside 0 to 255 read
    // from the file stays as read until its own bar moves.
    ColourTableEntry changed = *entry;
    changed.*part = static_cast<std::int16_t>(bar->value());
    session_.setColourComponents(lstColors->currentRow(), changed.Red, changed.Green, changed.Blue);
    showEntry(lstColors->currentItem(), *selectedColour());
}

void ColourPages::HScroll1_Change() {
    barChanged(HScroll1, lblRotWert, &ColourTableEntry::Red);
}

void ColourPages::HScroll2_Change() {
    barChanged(HScroll2, lblGruenWert, &ColourTableEntry::Green);
}

void ColourPages::HScroll3_Change() {
    barChanged(HScroll3, lblBlauWert, &ColourTableEntry::Blue);
}

void ColourPages::txtColorName_Change() {
    if (displaying_ || !selectedColour()) {
        return;
    }
    session_.setColourName(lstColors->currentRow(), toBytes(txtColorName->text()));
    showEntry(lstColors->currentItem(), *selectedColour());
}

void ColourPages::cmdNewColor_Click() {
    int added = -1;
    try {
        added = session_.addColour();
    } catch (const std::bad_alloc&) {
        desktop_.showNotice(errorNotice(7, QStringLiteral("Out of memory")));
        return;
    }
    if (added < 0) {
        desktop_.showNotice(overflowNotice());
        return;
    }
    {
        const QSignalBlocker quiet(lstColors);
        showEntry(new QListWidgetItem(lstColors),
                  session_.document().ColourEntries[static_cast<std::size_t>(added)]);
        lstColors->setCurrentRow(added);
    }
    showColour(selectedColour());
    desktop_.showInformation(text(154));
}

void ColourPages::cmdDeleteColor_Click() {
    const int i = lstColors->currentRow();
    if (!selectedColour() || !desktop_.askYesNo(text(153))) {
        return;
    }
    session_.deleteColour(i);
    {
        const QSignalBlocker quiet(lstColors);
        delete lstColors->takeItem(i);
        lstColors->setCurrentRow(lstColors->count() > 0 ? 0 : -1);
    }
    showColour(selectedColour());
}

void ColourPages::lstCarColors_Click() {
    const int pair = selectedPair();
    if (pair < 0) {
        return;
    }
    const CarColourRecord& record = *currentCarColour();
    const auto choose = [](QComboBox* chooser, int value) {
        // A value the chooser does not hold would empty it.
        if (value >= 0 && value < chooser->count()) {
            chooser->setCurrentIndex(value);
        }
    };
    choose(cmbColor1, record.Color1[static_cast<std::size_t>(pair)]);
    choose(cmbColor2, record.Color2[static_cast<std::size_t>(pair)]);
}

void ColourPages::showChosen(QComboBox* chooser, QFrame* preview) {
    const int index = chooser->currentIndex();
    const auto& palette = session_.document().ColourEntries;
    if (holds(palette, index)) {
        paint(preview, colourOf(palette[static_cast<std::size_t>(index)]));
    } else {
        // Nothing chosen: the window's own background, no stale colour.
        preview->setPalette(QPalette());
    }
}

void ColourPages::cmbColor1_Click() {
    showChosen(cmbColor1, picColor1);
}

void ColourPages::cmbColor2_Click() {
    showChosen(cmbColor2, picColor2);
}

void ColourPages::cmdAddColor_Click() {
    const CarColourRecord* record = currentCarColour();
    const auto& palette = session_.document().ColourEntries;
    const int first = cmbColor1->currentIndex();
    const int second = cmbColor2->currentIndex();
    if (!record || !holds(palette, first) || !holds(palette, second)) {
        return;
    }
    if (!session_.addPair(shownModel_, first, second)) {
        desktop_.showNotice(overflowNotice());
        return;
    }
    addPairRow(lstCarColors,
               shownText(palette[static_cast<std::size_t>(first)].Name + " - " +
                         palette[static_cast<std::size_t>(second)].Name),
               palette, first, second);
}

void ColourPages::cmdRemColor_Click() {
    const int pair = selectedPair();
    if (pair < 0 || !desktop_.askYesNo(text(153))) {
        return;
    }
    session_.removePair(shownModel_, pair);
    // Listed afresh: a model's last pair is replaced by (0, 0), which the list
    // must show too, or its rows and the model's pairs would part ways.
    showModel(shownModel_);
    {
        const QSignalBlocker quiet(lstCarColors);
        lstCarColors->setCurrentRow(lstCarColors->count() > 0 ? 0 : -1);
    }
    lstCarColors_Click();
}

// Fills both choosers with the palette list's texts, first entry chosen.
void ColourPages::fillChoosers() {
    for (QComboBox* chooser : {cmbColor1, cmbColor2}) {
        const QSignalBlocker quiet(chooser);
        chooser->clear();
        for (int k = 0; k < lstColors->count(); ++k) {
            const QListWidgetItem* entry = lstColors->item(k);
            chooser->addItem(entry->icon(), entry->text());
        }
        chooser->setCurrentIndex(chooser->count() > 0 ? 0 : -1);
    }
    cmbColor1_Click();
    cmbColor2_Click();
}

// Leaving the palette is when its changes reach the pairs page: the choosers
// and the names in the pair list.
void ColourPages::SSTab3_Click(int previousPage) {
    if (previousPage != 0) {
        return;
    }
    fillChoosers();
    showModel(shownModel_);
}

}  // namespace wendrake
