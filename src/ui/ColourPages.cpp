// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColourPages.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QRegularExpression>
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
#include "ui/Mnemonics.h"
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

// The number of a bar, typed or stepped; a typed number counts once it is
// complete (Enter or leaving the box), so typing "120" is one change.
QSpinBox* barNumber(const QString& name) {
    auto* number = named(new QSpinBox, name);
    number->setRange(0, 255);
    number->setKeyboardTracking(false);
    return number;
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

// The page's title: the whole file is on it.
constexpr int kPageText = 152;

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

// "3 grey - 96,98,102": pairs in the file name colours by these numbers.
void showEntry(QListWidgetItem* item, int number, const ColourTableEntry& entry) {
    item->setText(QString::number(number) + QLatin1Char(' ') + shownText(colourListText(entry)));
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

QString hexCode(const QColor& colour) {
    return colour.name(QColor::HexRgb).toUpper();
}

// "#6080A0"; the # may be left out. Names such as "red" are no code.
std::optional<QColor> parseHexCode(const QString& typed) {
    static const QRegularExpression code(QStringLiteral("^#?([0-9A-Fa-f]{6})$"));
    const QRegularExpressionMatch match = code.match(typed.trimmed());
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    return QColor::fromString(QLatin1Char('#') + match.captured(1));
}

// How many names of users a question lists before it only counts the rest.
constexpr std::size_t kNamedUsers = 3;

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
    // The palette beside the pairs of the shown model: a colour changed on
    // the left shows at once in the pairs and choosers on the right.
    auto* page = new QWidget;
    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->setSpacing(20);
    layout->addWidget(buildPaletteGroup(), 1);
    layout->addWidget(buildPairsGroup(), 1);
    addTab(scrolling(page), QStringLiteral("Farbdatei"));
    connectHandlers();
}

QWidget* ColourPages::buildPaletteGroup() {
    paletteList_ = named(new QListWidget, QStringLiteral("lstColors"));
    paletteList_->setMinimumSize(240, 120);
    paletteList_->setIconSize(kSampleSize);
    colourNameLabel_ = label(QStringLiteral("lblColorName"), QStringLiteral("Name"));
    // A name may hold blanks: it is the end of the line's comment. Tabs and
    // line breaks, which would end it, are refused like in every box.
    colourNameEdit_ = valueEdit("txtColorName", QString());
    redLabel_ = label(QStringLiteral("lblRot"), QStringLiteral("Rot"));
    greenLabel_ = label(QStringLiteral("lblGrün"), QStringLiteral("Grün"));
    blueLabel_ = label(QStringLiteral("lblBlau"), QStringLiteral("Blau"));
    redBar_ = colourBar(QStringLiteral("HScroll1"));
    greenBar_ = colourBar(QStringLiteral("HScroll2"));
    blueBar_ = colourBar(QStringLiteral("HScroll3"));
    redNumber_ = barNumber(QStringLiteral("spnRed"));
    greenNumber_ = barNumber(QStringLiteral("spnGreen"));
    blueNumber_ = barNumber(QStringLiteral("spnBlue"));
    hexLabel_ = label(QStringLiteral("lblHexCode"), QStringLiteral("Hex-Code"));
    // Guarded like every box, though what it takes is checked as a code.
    hexEdit_ = valueEdit("txtHexCode", QString());
    hexEdit_->setMaxLength(16);
    hexEdit_->setMaximumWidth(
        hexEdit_->fontMetrics().horizontalAdvance(QStringLiteral("#DDDDDDDD")));
    chooseColourButton_ =
        button(QStringLiteral("cmdChooseColour"), QStringLiteral("Farbe wählen..."));
    // The preview starts as the colour of the three bars at 0.
    colourPreview_ = swatch(QStringLiteral("picFarbe"), QSize(120, 40));
    QPalette black = colourPreview_->palette();
    black.setColor(QPalette::Window, Qt::black);
    colourPreview_->setPalette(black);
    addColourButton_ = button(QStringLiteral("cmdNewColor"), QStringLiteral("Farbe hinzufügen"));
    deleteColourButton_ = button(QStringLiteral("cmdDeleteColor"), QStringLiteral("Farbe löschen"));

    colourNameLabel_->setBuddy(colourNameEdit_);
    redLabel_->setBuddy(redBar_);
    greenLabel_->setBuddy(greenBar_);
    blueLabel_->setBuddy(blueBar_);
    hexLabel_->setBuddy(hexEdit_);

    auto* editor = new QGridLayout;
    editor->setHorizontalSpacing(12);
    editor->setVerticalSpacing(10);
    editor->addWidget(colourNameLabel_, 0, 0);
    editor->addWidget(colourNameEdit_, 0, 1, 1, 2);
    const std::array<std::array<QWidget*, 3>, 3> bars{{{redLabel_, redBar_, redNumber_},
                                                       {greenLabel_, greenBar_, greenNumber_},
                                                       {blueLabel_, blueBar_, blueNumber_}}};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            editor->addWidget(bars[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)],
                              row + 1, column);
        }
    }
    auto* code = new QHBoxLayout;
    code->addWidget(hexEdit_);
    code->addWidget(chooseColourButton_);
    code->addStretch();
    editor->addWidget(hexLabel_, 4, 0);
    editor->addLayout(code, 4, 1, 1, 2);
    editor->addWidget(colourPreview_, 5, 1, 1, 2);
    editor->setColumnStretch(1, 1);

    auto* commands = new QHBoxLayout;
    commands->addWidget(addColourButton_);
    commands->addWidget(deleteColourButton_);
    commands->addStretch();

    // The list takes the height; the editor of its selected colour below.
    paletteGroup_ =
        named(new QGroupBox(QStringLiteral("Farbentabelle")), QStringLiteral("paletteGroup"));
    auto* layout = new QVBoxLayout(paletteGroup_);
    layout->setSpacing(10);
    layout->addWidget(paletteList_, 1);
    layout->addLayout(editor);
    layout->addLayout(commands);
    return paletteGroup_;
}

QWidget* ColourPages::buildPairsGroup() {
    pairList_ = named(new QListWidget, QStringLiteral("lstCarColors"));
    pairList_->setMinimumSize(240, 120);
    pairList_->setIconSize(kSampleSize);
    removePairButton_ = button(QStringLiteral("cmdRemColor"), QStringLiteral("Entfernen"));
    pairUpButton_ = button(QStringLiteral("cmdPairUp"), QStringLiteral("Nach oben"));
    pairDownButton_ = button(QStringLiteral("cmdPairDown"), QStringLiteral("Nach unten"));
    pairsGroup_ = named(new QGroupBox(QStringLiteral("Autofarben")), QStringLiteral("frameColors"));
    auto* pairs = new QVBoxLayout(pairsGroup_);
    pairs->addWidget(pairList_, 1);
    auto* pairCommands = new QHBoxLayout;
    pairCommands->addWidget(pairUpButton_);
    pairCommands->addWidget(pairDownButton_);
    pairCommands->addStretch();
    pairCommands->addWidget(removePairButton_);
    pairs->addLayout(pairCommands);

    firstColourLabel_ = label(QStringLiteral("lblColor1"), QStringLiteral("Farbe 1"));
    secondColourLabel_ = label(QStringLiteral("lblColor2"), QStringLiteral("Farbe 2"));
    firstColourChooser_ = named(new QComboBox, QStringLiteral("cmbColor1"));
    secondColourChooser_ = named(new QComboBox, QStringLiteral("cmbColor2"));
    for (QComboBox* chooser : {firstColourChooser_, secondColourChooser_}) {
        chooser->setMinimumWidth(200);
        chooser->setIconSize(kSampleSize);
    }
    firstColourPreview_ = swatch(QStringLiteral("picColor1"), QSize(48, 24));
    secondColourPreview_ = swatch(QStringLiteral("picColor2"), QSize(48, 24));
    addPairButton_ = button(QStringLiteral("cmdAddColor"), QStringLiteral("Hinzufügen"));
    addPairGroup_ =
        named(new QGroupBox(QStringLiteral("Farbe hinzufügen")), QStringLiteral("frameAddColors"));
    firstColourLabel_->setBuddy(firstColourChooser_);
    secondColourLabel_->setBuddy(secondColourChooser_);
    auto* choosers = new QGridLayout(addPairGroup_);
    choosers->setHorizontalSpacing(12);
    choosers->setVerticalSpacing(10);
    choosers->addWidget(firstColourLabel_, 0, 0);
    choosers->addWidget(firstColourChooser_, 0, 1);
    choosers->addWidget(firstColourPreview_, 0, 2);
    choosers->addWidget(secondColourLabel_, 1, 0);
    choosers->addWidget(secondColourChooser_, 1, 1);
    choosers->addWidget(secondColourPreview_, 1, 2);
    choosers->addWidget(addPairButton_, 2, 1, 1, 2, Qt::AlignRight);
    choosers->setColumnStretch(1, 1);

    auto* side = new QWidget;
    auto* layout = new QVBoxLayout(side);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(16);
    layout->addWidget(pairsGroup_, 1);
    layout->addWidget(addPairGroup_);
    return side;
}

void ColourPages::connectHandlers() {
    using Self = ColourPages;
    connect(paletteList_, &QListWidget::currentRowChanged, this, &Self::showSelectedColour);
    connect(redBar_, &QScrollBar::valueChanged, this, &Self::redBarMoved);
    connect(greenBar_, &QScrollBar::valueChanged, this, &Self::greenBarMoved);
    connect(blueBar_, &QScrollBar::valueChanged, this, &Self::blueBarMoved);
    connect(colourNameEdit_, &QLineEdit::textChanged, this, &Self::storeColourName);
    // A number moves its bar, which stores it like a drag.
    connect(redNumber_, &QSpinBox::valueChanged, redBar_, &QScrollBar::setValue);
    connect(greenNumber_, &QSpinBox::valueChanged, greenBar_, &QScrollBar::setValue);
    connect(blueNumber_, &QSpinBox::valueChanged, blueBar_, &QScrollBar::setValue);
    connect(hexEdit_, &QLineEdit::editingFinished, this, &Self::storeHexCode);
    connect(chooseColourButton_, &QPushButton::clicked, this, &Self::chooseColour);
    connect(addColourButton_, &QPushButton::clicked, this, &Self::addColour);
    connect(deleteColourButton_, &QPushButton::clicked, this, &Self::deleteColour);
    connect(pairList_, &QListWidget::currentRowChanged, this, &Self::showSelectedPair);
    // A click on the row already selected shows its pair again after the
    // player changed the choosers.
    connect(pairList_, &QListWidget::itemClicked, this, &Self::showSelectedPair);
    connect(firstColourChooser_, &QComboBox::currentIndexChanged, this, &Self::showFirstChoice);
    connect(secondColourChooser_, &QComboBox::currentIndexChanged, this, &Self::showSecondChoice);
    connect(addPairButton_, &QPushButton::clicked, this, &Self::addPair);
    connect(removePairButton_, &QPushButton::clicked, this, &Self::removePair);
    connect(pairUpButton_, &QPushButton::clicked, this, &Self::movePairUp);
    connect(pairDownButton_, &QPushButton::clicked, this, &Self::movePairDown);
}

void ColourPages::applyLanguage(const LanguageTable& language) {
    language_ = &language;
    setTabText(0, text(kPageText));
    paletteGroup_->setTitle(text(155));
    addColourButton_->setText(text(157));
    deleteColourButton_->setText(text(158));
    colourNameLabel_->setText(text(159));
    redLabel_->setText(text(160));
    greenLabel_->setText(text(161));
    blueLabel_->setText(text(162));
    // A number box is a second way to set its bar's value: a screen reader
    // names it as the bar, not by the group around it.
    redNumber_->setAccessibleName(text(160).trimmed());
    greenNumber_->setAccessibleName(text(161).trimmed());
    blueNumber_->setAccessibleName(text(162).trimmed());
    hexLabel_->setText(text(Text::HexCode));
    chooseColourButton_->setText(text(Text::ChooseColour));
    addPairGroup_->setTitle(text(163));
    firstColourLabel_->setText(text(164));
    secondColourLabel_->setText(text(165));
    addPairButton_->setText(text(166));
    pairsGroup_->setTitle(text(167));
    removePairButton_->setText(text(168));
    pairUpButton_->setText(text(Text::MovePairUp));
    pairDownButton_->setText(text(Text::MovePairDown));
    // Each page's labels lead to their boxes with Alt and a letter; the
    // menus keep theirs.
    const QString menus = menuLetters(language);
    giveMnemonics({colourNameLabel_, redLabel_, greenLabel_, blueLabel_, hexLabel_}, menus);
    giveMnemonics({firstColourLabel_, secondColourLabel_}, menus);
}

QString ColourPages::text(int number) const {
    return language_ ? languageText(*language_, number) : QString();
}

void ColourPages::showPalette() {
    {
        const QSignalBlocker quiet(paletteList_);
        paletteList_->clear();
        const auto& palette = session_.document().ColourEntries;
        for (std::size_t k = 0; k < palette.size(); ++k) {
            showEntry(new QListWidgetItem(paletteList_), static_cast<int>(k), palette[k]);
        }
        // The first colour is shown at once, so that the bars never hold the
        // values of the previous file.
        paletteList_->setCurrentRow(paletteList_->count() > 0 ? 0 : -1);
    }
    showColour(selectedColour());
    fillChoosers();
    {
        const QSignalBlocker quiet(pairList_);
        pairList_->clear();
    }
    shownModel_ = -1;
}

void ColourPages::showModel(int record) {
    {
        const QSignalBlocker quiet(pairList_);
        pairList_->clear();
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
        addPairRow(pairList_, shownText(texts[j]), document.ColourEntries, model.Color1[j],
                   model.Color2[j]);
    }
}

const ColourTableEntry* ColourPages::selectedColour() const {
    const int i = paletteList_->currentRow();
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
    const int pair = pairList_->currentRow();
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
    showValue(colourNameEdit_, entry ? entry->Name : std::string());
    // The bars clamp to their range.
    redBar_->setValue(entry ? entry->Red : 0);
    greenBar_->setValue(entry ? entry->Green : 0);
    blueBar_->setValue(entry ? entry->Blue : 0);
    hexEdit_->setText(hexCode(entry ? colourOf(*entry) : QColor(Qt::black)));
}

void ColourPages::showSelectedColour() {
    if (const ColourTableEntry* entry = selectedColour()) {
        showColour(entry);
    }
}

void ColourPages::barChanged(QScrollBar* bar, QSpinBox* number,
                             std::int16_t ColourTableEntry::*part) {
    const QColor shownColour(redBar_->value(), greenBar_->value(), blueBar_->value());
    paint(colourPreview_, shownColour);
    {
        const QSignalBlocker quiet(number);
        number->setValue(bar->value());
    }
    hexEdit_->setText(hexCode(shownColour));
    const ColourTableEntry* entry = selectedColour();
    if (displaying_ || !entry) {
        return;
    }
    // Only the part whose bar moved changes: a part outside 0 to 255 read
    // from the file stays as read until its own bar moves.
    ColourTableEntry changed = *entry;
    changed.*part = static_cast<std::int16_t>(bar->value());
    session_.setColourComponents(paletteList_->currentRow(), changed.Red, changed.Green,
                                 changed.Blue);
    colourChanged(paletteList_->currentRow());
}

void ColourPages::redBarMoved() {
    barChanged(redBar_, redNumber_, &ColourTableEntry::Red);
}

void ColourPages::greenBarMoved() {
    barChanged(greenBar_, greenNumber_, &ColourTableEntry::Green);
}

void ColourPages::blueBarMoved() {
    barChanged(blueBar_, blueNumber_, &ColourTableEntry::Blue);
}

void ColourPages::storeHexCode() {
    const ColourTableEntry* entry = selectedColour();
    if (displaying_ || !entry) {
        return;
    }
    const QString typed = hexEdit_->text();
    const std::optional<QColor> colour = parseHexCode(typed);
    if (!colour) {
        // The box shows the colour again before the note, so that leaving it
        // once more refuses nothing new.
        showColour(entry);
        desktop_.showStatus(text(Text::HexCodeRefused).arg(typed));
        return;
    }
    storeColour(*colour);
}

void ColourPages::chooseColour() {
    const ColourTableEntry* entry = selectedColour();
    if (!entry) {
        return;
    }
    if (const std::optional<QColor> colour =
            desktop_.chooseColour(colourOf(*entry), text(Text::ChooseColour))) {
        storeColour(*colour);
    }
}

void ColourPages::storeColour(const QColor& colour) {
    const ColourTableEntry* entry = selectedColour();
    if (!entry) {
        return;
    }
    const int row = paletteList_->currentRow();
    // The same colour again is no change; a part outside 0 to 255 read from
    // the file stays unless the code changes it.
    const QColor before = colourOf(*entry);
    const auto part = [](std::int16_t stored, int shown, int wanted) {
        return shown == wanted ? stored : static_cast<std::int16_t>(wanted);
    };
    session_.setColourComponents(row, part(entry->Red, before.red(), colour.red()),
                                 part(entry->Green, before.green(), colour.green()),
                                 part(entry->Blue, before.blue(), colour.blue()),
                                 ColourStep::Whole);
    showColour(selectedColour());
    colourChanged(row);
}

void ColourPages::storeColourName() {
    if (displaying_ || !selectedColour()) {
        return;
    }
    session_.setColourName(paletteList_->currentRow(), toBytes(colourNameEdit_->text()));
    colourChanged(paletteList_->currentRow());
}

void ColourPages::addColour() {
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
        const QSignalBlocker quiet(paletteList_);
        showEntry(new QListWidgetItem(paletteList_), added,
                  session_.document().ColourEntries[static_cast<std::size_t>(added)]);
        paletteList_->setCurrentRow(added);
    }
    for (QComboBox* chooser : {firstColourChooser_, secondColourChooser_}) {
        const QSignalBlocker quiet(chooser);
        chooser->addItem(paletteList_->item(added)->icon(), paletteList_->item(added)->text());
    }
    showColour(selectedColour());
    desktop_.showInformation(text(154));
}

void ColourPages::deleteColour() {
    const int i = paletteList_->currentRow();
    if (!selectedColour() || !desktop_.askYesNo(deleteQuestion(i))) {
        return;
    }
    session_.deleteColour(i);
    // The colours after it moved up one number, and the pairs with them.
    const int model = shownModel_;
    showPalette();
    showModel(model);
}

// Names the colour and the models whose pairs use it, before anything moves.
QString ColourPages::deleteQuestion(int colour) const {
    const auto& document = session_.document();
    const ColourTableEntry& entry = document.ColourEntries[static_cast<std::size_t>(colour)];
    std::size_t users = 0;
    QStringList named;
    for (const CarColourRecord& record : document.CarColourRecords) {
        const auto uses = [colour](const std::vector<std::int16_t>& values) {
            return std::find(values.begin(), values.end(), colour) != values.end();
        };
        if (uses(record.Color1) || uses(record.Color2)) {
            if (++users <= kNamedUsers) {
                named << shownText(record.ModelName);
            }
        }
    }
    if (users > kNamedUsers) {
        named << text(Text::DeleteColourMore).arg(users - kNamedUsers);
    }
    QString question = text(Text::DeleteColourQuestion).arg(colour).arg(shownText(entry.Name)) +
                       QStringLiteral("\n\n");
    question +=
        users == 0 ? text(Text::DeleteColourUnused)
                   : text(Text::DeleteColourUsers).arg(users).arg(named.join(QStringLiteral(", ")));
    if (static_cast<std::size_t>(colour) + 1 < document.ColourEntries.size()) {
        question += QStringLiteral("\n") + text(Text::DeleteColourRenumbers);
    }
    return question;
}

void ColourPages::showSelectedPair() {
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
    choose(firstColourChooser_, record.Color1[static_cast<std::size_t>(pair)]);
    choose(secondColourChooser_, record.Color2[static_cast<std::size_t>(pair)]);
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

void ColourPages::showFirstChoice() {
    showChosen(firstColourChooser_, firstColourPreview_);
}

void ColourPages::showSecondChoice() {
    showChosen(secondColourChooser_, secondColourPreview_);
}

void ColourPages::addPair() {
    const CarColourRecord* record = currentCarColour();
    const auto& palette = session_.document().ColourEntries;
    const int first = firstColourChooser_->currentIndex();
    const int second = secondColourChooser_->currentIndex();
    if (!record || !holds(palette, first) || !holds(palette, second)) {
        return;
    }
    if (!session_.addPair(shownModel_, first, second)) {
        desktop_.showNotice(overflowNotice());
        return;
    }
    relistPairs();
}

void ColourPages::removePair() {
    const int pair = selectedPair();
    if (pair < 0 || !desktop_.askYesNo(text(153))) {
        return;
    }
    session_.removePair(shownModel_, pair);
    // Listed afresh: a model's last pair is replaced by (0, 0), which the list
    // must show too, or its rows and the model's pairs would part ways.
    showModel(shownModel_);
    {
        const QSignalBlocker quiet(pairList_);
        pairList_->setCurrentRow(pairList_->count() > 0 ? 0 : -1);
    }
    showSelectedPair();
}

void ColourPages::movePairUp() {
    movePair(-1);
}

void ColourPages::movePairDown() {
    movePair(1);
}

// The selected pair moves and stays selected, so that repeated clicks carry it on.
void ColourPages::movePair(int step) {
    const int pair = selectedPair();
    if (pair < 0 || !session_.movePair(shownModel_, pair, pair + step)) {
        return;
    }
    showModel(shownModel_);
    const QSignalBlocker quiet(pairList_);
    pairList_->setCurrentRow(pair + step);
}

// Fills both choosers with the palette list's texts, first entry chosen.
void ColourPages::fillChoosers() {
    for (QComboBox* chooser : {firstColourChooser_, secondColourChooser_}) {
        const QSignalBlocker quiet(chooser);
        chooser->clear();
        for (int k = 0; k < paletteList_->count(); ++k) {
            const QListWidgetItem* entry = paletteList_->item(k);
            chooser->addItem(entry->icon(), entry->text());
        }
        chooser->setCurrentIndex(chooser->count() > 0 ? 0 : -1);
    }
    showFirstChoice();
    showSecondChoice();
}

// A palette entry changed: its list row, its entries in the choosers and
// the pairs that name it show it at once; the player's choices stay.
void ColourPages::colourChanged(int row) {
    QListWidgetItem* entry = paletteList_->item(row);
    showEntry(entry, row, session_.document().ColourEntries[static_cast<std::size_t>(row)]);
    for (QComboBox* chooser : {firstColourChooser_, secondColourChooser_}) {
        if (row < chooser->count()) {
            chooser->setItemText(row, entry->text());
            chooser->setItemIcon(row, entry->icon());
        }
    }
    showFirstChoice();
    showSecondChoice();
    relistPairs();
}

// The pairs of the shown model listed again, the selected one still selected.
void ColourPages::relistPairs() {
    const int selected = pairList_->currentRow();
    showModel(shownModel_);
    const QSignalBlocker quiet(pairList_);
    pairList_->setCurrentRow(selected < pairList_->count() ? selected : -1);
}

void ColourPages::selectColour(int colour) {
    paletteList_->setCurrentRow(colour);
}

}  // namespace wendrake
