// SPDX-License-Identifier: GPL-3.0-or-later
#include "HandlingPages.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>

#include "io/LanguageFiles.h"
#include "model/HandlingFlags.h"
#include "ui/Captions.h"
#include "ui/Explanation.h"
#include "ui/FlowingColumns.h"
#include "ui/Mnemonics.h"
#include "ui/ShownText.h"
#include "ui/ValueEdit.h"

namespace wendrake {

namespace {

using F = HandlingField;

// The game keeps 14 characters of a name.
constexpr int kNameLength = 14;
constexpr int kEditorWidth = 120;
constexpr int kFlagCount = 16;

enum class Control { Text, Choice, Tick };

// One field's line in its group: caption, control and (optional) hint.
struct Row {
    F field;
    int group;
    Control control;
    const char* objectName;  // of the control; the caption is "lbl..." of the same stem
    int explanation;         // language text: what the value does, its unit and range
    const char* caption;     // German design text, without unit
    const char* hint;        // design text of the hint label; no hint label when null
    std::array<const char*, 4> entries{};  // combo entries, design texts
    std::array<const char*, 4> codes{};    // what each entry stores
};

constexpr std::array<const char*, 4> kLights{"Lang", "Klein", "Gross", "Lang/Gross"};
constexpr std::array<const char*, 4> kLightCodes{"0", "1", "2", "3"};

// clang-format off
const std::array<Row, 31> kRows{{
    {F::Autoname, 0, Control::Text, "txtAutoname", Text::NameExplained, "Autoname", "(Maximal 14 Buchstaben)"},
    {F::Gewicht, 0, Control::Text, "txtGewicht", Text::MassExplained, "Gewicht", "(1.0 bis 50000.0)"},
    {F::PedSeat, 0, Control::Text, "txtPedSeat", Text::SeatOffsetExplained, "Ped Seat Offset", "(>= 0.0)"},
    {F::Koll, 0, Control::Text, "txtKoll", Text::CollisionDamageExplained, "Koll.-Schaden-Multipl.", "(0.2 bis 5.0)"},
    {F::Preis, 0, Control::Text, "txtPreis", Text::PriceExplained, "Geldwert/Preis", "(1 bis 100000)"},
    {F::FrontLichter, 0, Control::Choice, "cmbFrontLichter", Text::FrontLightsExplained, "Vorderlichter", nullptr, kLights, kLightCodes},
    {F::RearLichter, 0, Control::Choice, "cmbRearLichter", Text::RearLightsExplained, "Hinterlichter", nullptr, kLights, kLightCodes},

    {F::Breite, 1, Control::Text, "txtBreite", Text::WidthExplained, "Breite", "(0.0 > x > 20.0)"},
    {F::Hoehe, 1, Control::Text, "txtHoehe", Text::HeightExplained, "Höhe", "(0.0 > x > 20.0)"},
    {F::Laenge, 1, Control::Text, "txtLaenge", Text::LengthExplained, "Länge", "(0.0 > x > 20.0)"},
    {F::MassenmittelpX, 1, Control::Text, "txtMassenmittelpX", Text::CentreXExplained, "Massenmittelp. X", "(-10.0 > x > 10.0)"},
    {F::MassenmittelpY, 1, Control::Text, "txtMassenmittelpY", Text::CentreYExplained, "Massenmittelp. Y", "(-10.0 > x > 10.0)"},
    {F::MassenmittelpZ, 1, Control::Text, "txtMassenmittelpZ", Text::CentreZExplained, "Massenmittelp. Z", "(-10.0 > x > 10.0)"},
    {F::SubMerged, 1, Control::Text, "txtSubMerged", Text::SubmergedExplained, "Versinkt", "im Wasser (10 to 120)"},

    {F::Antrieb, 2, Control::Choice, "cmbAntrieb", Text::DriveExplained, "Antrieb", nullptr, {"Vorderradantrieb", "Hinterradantrieb", "4x4 Antrieb"}, {"F", "R", "4"}},
    {F::MotorTyp, 2, Control::Choice, "cmbMotor", Text::EngineExplained, "Motor-Typ", nullptr, {"Benzin", "Diesel", "Elektro"}, {"P", "D", "E"}},
    {F::Beschleunigung, 2, Control::Text, "txtBeschleunigung", Text::AccelerationExplained, "Beschl.", "(0.1 bis 10.0)"},
    {F::Geschwindigkeit, 2, Control::Text, "txtGeschwindigkeit", Text::TopSpeedExplained, "Geschw.", "(5.0 bis 150.0)"},
    {F::Gaenge, 2, Control::Text, "txtGaenge", Text::GearsExplained, "Anzahl Gänge", "(1 bis 5)"},
    {F::TractionMulti, 2, Control::Text, "txtTractionMulti", Text::TractionExplained, "Zugkraft - Multipl.", "(0.5 bis 2.0)"},
    {F::TractionLoss, 2, Control::Text, "txtTractionLoss", Text::TractionLossExplained, "Zugkraft - Verlust", "(0.0 > x > 1.0)"},
    {F::TractionBias, 2, Control::Text, "txtTractionBias", Text::TractionBiasExplained, "Zugkraft - Vorsp.", "(0.0 > x > 1.0)"},

    {F::Bremsstaerke, 3, Control::Text, "txtBremsstaerke", Text::BrakeStrengthExplained, "Bremsstärke", "(0.1 bis 10.0)"},
    {F::BrakeBias, 3, Control::Text, "txtBrakeBias", Text::BrakeBiasExplained, "Brake Bias", "(0.0 bis 1.0)"},
    {F::ABS, 3, Control::Tick, "chkABS", Text::AbsExplained, "ABS", nullptr},

    {F::Radeinschlag, 4, Control::Text, "txtRadeinschlag", Text::SteeringLockExplained, "Radeinschlag", "(10.0 bis 40.0)"},
    {F::Kraftlevel, 4, Control::Text, "txtKraftlevel", Text::ForceLevelExplained, "Kraftlevel", "(>= 0.0)"},
    {F::DLevel, 4, Control::Text, "txtDLevel", Text::DampingExplained, "Dämpfungslevel", "(>= 0.0)"},
    {F::OLimit, 4, Control::Text, "txtOLimit", Text::UpperLimitExplained, "Oberes Limit", "(-1.0 bis 1.0)"},
    {F::ULimit, 4, Control::Text, "txtULimit", Text::LowerLimitExplained, "Unteres Limit", "(-1.0 bis 1.0)"},
    {F::Bias, 4, Control::Text, "txtBias", Text::SuspensionBiasExplained, "Bias between F/R", "(-1.0 bis 1.0)"},
}};
// clang-format on

// Titles of the value groups: design text and language text.
struct Title {
    const char* design;
    int text;
};
constexpr std::array<Title, 5> kGroupTitles{{{"Allgemein", 2},
                                             {"Dimensionen", 3},
                                             {"Leistung && Antrieb", 4},
                                             {"Bremsen", 5},
                                             {"Aufhängung", 6}}};
constexpr Title kFlagsTitle{"Flags", 7};
constexpr Title kVehiclePage{"Fahrzeug", Text::VehiclePage};
constexpr Title kFilePage{"Sonstiges", 62};
constexpr Title kFlagsValue{"Wert in der Datei (hex)", Text::FlagsValue};
constexpr Title kImport{"Import Autos", 95};
constexpr Title kExport{"Export Autos...", 96};
constexpr Title kAuthor{"Autor", 100};
constexpr Title kDate{"Datum", 101};

// The value groups in blocks side by side: the picture with the general
// values and the dimensions, then driving, braking and suspension, then the
// flags.
constexpr std::array<int, 2> kPictureBlockGroups{0, 1};
constexpr std::array<int, 3> kDrivingBlockGroups{2, 3, 4};

// Names the game gives its flag bits, the same in every language: the boxes'
// texts until a language names the flags in words.
constexpr std::array<const char*, kFlagCount> kFlagCaptions{
    "1G_BOOST",        "2G_BOOST",      "REV_BONNET",   "HANGING_BOOT",
    "NO_DOORS",        "IS_VAN",        "IS_BUS",       "IS_LOW",
    "DBL_EXHAUST",     "TAILGATE_BOOT", "NOSWING_BOOT", "NONPLAYER_STABILISER",
    "NEUTRALHANDLING", "HAS_NO_ROOF",   "IS_BIG",       "HALOGEN_LIGHTS"};

const Row& rowOf(F field) {
    return *std::find_if(kRows.begin(), kRows.end(),
                         [field](const Row& row) { return row.field == field; });
}

std::size_t at(F field) {
    return static_cast<std::size_t>(field);
}

QString design(const char* text) {
    return QString::fromUtf8(text);
}

const char* unitOf(F field) {
    return handlingFieldInfo(static_cast<int>(field)).unit;
}

QLabel* namedLabel(const QString& name, const QString& text) {
    auto* label = new QLabel(text);
    label->setObjectName(name);
    return label;
}

// Each page scrolls, so a small window shows all of it rather than clipping.
QScrollArea* scrolling(QWidget* content, const QString& name) {
    auto* scroll = new QScrollArea;
    scroll->setObjectName(name);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(content);
    return scroll;
}

QWidget* stacked(const QList<QWidget*>& parts) {
    auto* block = new QWidget;
    auto* layout = new QVBoxLayout(block);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(16);
    for (QWidget* part : parts) {
        layout->addWidget(part);
    }
    layout->addStretch(1);
    return block;
}

}  // namespace

HandlingPages::HandlingPages(DocumentSession& session, QWidget* parent)
    : QTabWidget(parent), session_(session) {
    setObjectName(QStringLiteral("handlingPages"));
    addTab(scrolling(buildVehiclePage(), QStringLiteral("vehiclePage")),
           design(kVehiclePage.design));
    addTab(scrolling(buildFilePage(), QStringLiteral("filePage")), design(kFilePage.design));
    editors_[at(F::Flags)] = flagBoxes_[0];
    alignCaptionColumns();
    giveMnemonicsToLabels(QString());
    connectEditors();
}

QWidget* HandlingPages::buildVehiclePage() {
    picture_ = new PicturePane("picFrame", "picCar");
    // Room for a picture of the usual 320 x 200 without clipping it.
    picture_->setMinimumSize(332, 212);
    picture_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);

    auto* page = new FlowingColumns;
    QList<QWidget*> first{picture_};
    QList<QWidget*> second;
    for (int group : kPictureBlockGroups) {
        first << buildValueGroup(group);
    }
    for (int group : kDrivingBlockGroups) {
        second << buildValueGroup(group);
    }
    page->addBlock(stacked(first));
    page->addBlock(stacked(second));
    page->addBlock(stacked({buildFlagGroup()}));
    return page;
}

QWidget* HandlingPages::makeEditor(HandlingField field) {
    const Row& row = rowOf(field);
    switch (row.control) {
        case Control::Text: {
            QLineEdit* edit = valueEdit(row.objectName, kHandlingSeparators);
            edit->setMinimumWidth(kEditorWidth);
            return edit;
        }
        case Control::Choice: {
            auto* combo = new QComboBox;
            combo->setObjectName(design(row.objectName));
            for (const char* entry : row.entries) {
                if (entry != nullptr) {
                    combo->addItem(design(entry));
                }
            }
            combo->setMinimumWidth(kEditorWidth);
            return combo;
        }
        case Control::Tick:
            break;
    }
    auto* box = new QCheckBox;
    box->setObjectName(design(row.objectName));
    return box;
}

QWidget* HandlingPages::buildValueGroup(int group) {
    const Title& title = kGroupTitles[static_cast<std::size_t>(group)];
    auto* frame = new QGroupBox(design(title.design));
    frame->setObjectName(QStringLiteral("valueGroup%1").arg(group));
    valueGroups_[static_cast<std::size_t>(group)] = frame;
    auto* grid = new QGridLayout(frame);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);

    // Rows as tall as a text box, so a check box row keeps the rhythm.
    const int rowHeight = QLineEdit().sizeHint().height();
    int line = 0;
    for (const Row& row : kRows) {
        if (row.group != group) {
            continue;
        }
        QWidget* editor = makeEditor(row.field);
        editors_[at(row.field)] = editor;
        const QString stem = design(row.objectName).mid(3);
        QLabel* caption = namedLabel(QStringLiteral("lbl") + stem,
                                     withUnit(design(row.caption), unitOf(row.field)));
        caption->setBuddy(editor);
        captionLabels_[at(row.field)] = caption;
        grid->addWidget(caption, line, 0);
        grid->addWidget(editor, line, 1,
                        row.control == Control::Tick ? Qt::AlignLeft : Qt::Alignment());
        if (row.hint != nullptr) {
            QLabel* hint =
                namedLabel(QStringLiteral("lbl") + stem + QStringLiteral("Info"), design(row.hint));
            hint->setForegroundRole(QPalette::PlaceholderText);
            hintLabels_[at(row.field)] = hint;
            grid->addWidget(hint, line, 2);
        }
        grid->setRowMinimumHeight(line, rowHeight);
        ++line;
    }
    grid->setColumnStretch(2, 1);
    return frame;
}

// Two columns of boxes, lowest first, the four boxes of each hexadecimal
// digit of the value together; the value the boxes make stands above them.
QWidget* HandlingPages::buildFlagGroup() {
    flagGroup_ = new QGroupBox(design(kFlagsTitle.design));
    flagGroup_->setObjectName(QStringLiteral("flagGroup"));
    auto* layout = new QVBoxLayout(flagGroup_);

    auto* valueLine = new QHBoxLayout;
    flagsValue_ = new QLineEdit;
    flagsValue_->setObjectName(QStringLiteral("flagsValue"));
    flagsValue_->setReadOnly(true);
    flagsValue_->setMaximumWidth(kEditorWidth);
    flagsValueLabel_ = namedLabel(QStringLiteral("lblFlagsValue"), design(kFlagsValue.design));
    flagsValueLabel_->setBuddy(flagsValue_);
    valueLine->addWidget(flagsValueLabel_);
    valueLine->addWidget(flagsValue_);
    valueLine->addStretch(1);
    layout->addLayout(valueLine);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(20);
    grid->setVerticalSpacing(6);
    constexpr int kBoxesPerDigit = 4;
    constexpr int kBoxesPerColumn = 8;
    for (int i = 0; i < kFlagCount; ++i) {
        auto* box = new QCheckBox(design(kFlagCaptions[static_cast<std::size_t>(i)]));
        box->setObjectName(QStringLiteral("chkFlag%1").arg(i + 1));
        flagBoxes_[static_cast<std::size_t>(i)] = box;
        const int place = i % kBoxesPerColumn;
        // A free line between the digits.
        grid->addWidget(box, place + place / kBoxesPerDigit, i / kBoxesPerColumn);
    }
    grid->setRowMinimumHeight(kBoxesPerDigit, 8);
    layout->addLayout(grid);
    return flagGroup_;
}

QWidget* HandlingPages::buildFilePage() {
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->setSpacing(16);

    auto* buttons = new QHBoxLayout;
    importButton_ = new QPushButton(design(kImport.design));
    importButton_->setObjectName(QStringLiteral("importButton"));
    exportButton_ = new QPushButton(design(kExport.design));
    exportButton_->setObjectName(QStringLiteral("exportButton"));
    for (QPushButton* button : {importButton_, exportButton_}) {
        button->setMinimumWidth(160);
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    layout->addLayout(buttons);

    // Each is the rest of a comment line: any text of one line fits.
    authorEdit_ = valueEdit("txtAuthor", QString());
    dateEdit_ = valueEdit("txtDate", QString());
    authorLabel_ = namedLabel(QStringLiteral("lblAuthor"), design(kAuthor.design));
    dateLabel_ = namedLabel(QStringLiteral("lblDate"), design(kDate.design));
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);
    int line = 0;
    for (const auto& [label, edit] :
         {std::pair{authorLabel_, authorEdit_}, {dateLabel_, dateEdit_}}) {
        label->setBuddy(edit);
        edit->setMinimumWidth(320);
        edit->setMaximumWidth(480);
        grid->addWidget(label, line, 0);
        grid->addWidget(edit, line, 1);
        ++line;
    }
    grid->setColumnStretch(2, 1);
    layout->addLayout(grid);
    layout->addStretch(1);
    return content;
}

void HandlingPages::connectEditors() {
    for (const Row& row : kRows) {
        QWidget* editor = editors_[at(row.field)];
        const F field = row.field;
        switch (row.control) {
            case Control::Text:
                connect(static_cast<QLineEdit*>(editor), &QLineEdit::textChanged, this,
                        [this, field](const QString& text) {
                            if (field == F::Autoname) {
                                storeName();
                            } else {
                                store(field, toBytes(text));
                            }
                        });
                break;
            case Control::Choice:
                // A choice counts even when it is the entry already shown:
                // that entry may stand for another vehicle's code (see the
                // display).
                connect(static_cast<QComboBox*>(editor), &QComboBox::activated, this,
                        [this, field] { storeChoice(field); });
                break;
            case Control::Tick:
                connect(static_cast<QCheckBox*>(editor), &QCheckBox::toggled, this,
                        [this, field](bool checked) { store(field, checked ? "1" : "0"); });
                break;
        }
    }
    for (int box = 1; box <= kFlagCount; ++box) {
        connect(flagBoxes_[static_cast<std::size_t>(box - 1)], &QCheckBox::toggled, this,
                [this, box] { storeFlagBox(box); });
    }
    connect(authorEdit_, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!showing_) {
            session_.setAuthor(toBytes(text));
        }
    });
    connect(dateEdit_, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!showing_) {
            session_.setDate(toBytes(text));
        }
    });
    connect(importButton_, &QPushButton::clicked, this, &HandlingPages::importRequested);
    connect(exportButton_, &QPushButton::clicked, this, &HandlingPages::exportRequested);
}

// The value boxes of groups that stand above each other line up.
void HandlingPages::alignCaptionColumns() {
    int width = 0;
    for (const QLabel* label : captionLabels_) {
        if (label != nullptr) {
            width = std::max(width, label->sizeHint().width());
        }
    }
    for (QGroupBox* group : valueGroups_) {
        static_cast<QGridLayout*>(group->layout())->setColumnMinimumWidth(0, width);
    }
}

// Mnemonics only need to differ among the labels of one page: a label on a
// hidden page takes no keys.
void HandlingPages::giveMnemonicsToLabels(const QString& taken) {
    QList<QLabel*> vehicleLabels;
    for (const Row& row : kRows) {
        vehicleLabels << captionLabels_[at(row.field)];
    }
    vehicleLabels << flagsValueLabel_;
    giveMnemonics(vehicleLabels, taken);
    giveMnemonics({authorLabel_, dateLabel_}, taken);
}

void HandlingPages::applyLanguage(const LanguageTable& language) {
    const auto text = [&language](int k) { return languageText(language, k); };
    setTabText(0, text(kVehiclePage.text));
    setTabText(1, text(kFilePage.text));
    for (std::size_t group = 0; group < valueGroups_.size(); ++group) {
        valueGroups_[group]->setTitle(text(kGroupTitles[group].text));
    }
    flagGroup_->setTitle(text(kFlagsTitle.text));
    // A language file keeps a field's hint or its list entries right after
    // the field's caption.
    for (const Row& row : kRows) {
        const int caption = handlingFieldInfo(static_cast<int>(row.field)).captionText;
        captionLabels_[at(row.field)]->setText(withUnit(text(caption), unitOf(row.field)));
        if (QLabel* hint = hintLabels_[at(row.field)]) {
            hint->setText(text(caption + 1));
        }
        if (row.control == Control::Choice) {
            auto* combo = static_cast<QComboBox*>(editors_[at(row.field)]);
            for (int k = 0; k < combo->count(); ++k) {
                combo->setItemText(k, text(caption + 1 + k));
            }
        }
        explain(editors_[at(row.field)], text(row.explanation));
    }
    explainFlagBoxes(language);
    flagsValueLabel_->setText(text(kFlagsValue.text));
    explain(flagsValue_, text(Text::FlagsValueExplained));
    explain(authorEdit_, text(Text::AuthorExplained));
    explain(dateEdit_, text(Text::DateExplained));
    importButton_->setText(text(kImport.text));
    exportButton_->setText(text(kExport.text));
    authorLabel_->setText(text(kAuthor.text));
    dateLabel_->setText(text(kDate.text));
    giveMnemonicsToLabels(menuLetters(language));
    alignCaptionColumns();
}

// Each box shows its flag's name in words; the tooltip adds the game's name
// for the flag and where it stands in the flags value.
void HandlingPages::explainFlagBoxes(const LanguageTable& language) {
    for (int bit = 0; bit < kFlagCount; ++bit) {
        QCheckBox* box = flagBoxes_[static_cast<std::size_t>(bit)];
        const QString identifier = design(kFlagCaptions[static_cast<std::size_t>(bit)]);
        // A box never goes blank, whatever a language file holds.
        QString words = languageText(language, Text::FlagNames + bit);
        if (words.trimmed().isEmpty()) {
            words = identifier;
        }
        box->setText(words);
        explain(box, languageText(language, Text::FlagExplained)
                         .arg(words, identifier)
                         .arg(bit)
                         .arg(QString::number(1U << bit, 16).toUpper()));
    }
}

void HandlingPages::showCurrentRecord() {
    const HandlingRecord* record = currentRecord();
    const QScopedValueRollback<bool> holdBack(showing_, true);
    // Without a record there is nothing to show or edit: the pages stay
    // empty, so no value of an earlier vehicle or file seems editable.
    static const HandlingRecord kNone{};
    if (record == nullptr) {
        record = &kNone;
    }
    for (const Row& row : kRows) {
        const std::string_view value = (*record)[row.field];
        QWidget* editor = editors_[at(row.field)];
        switch (row.control) {
            case Control::Text: {
                auto* edit = static_cast<QLineEdit*>(editor);
                if (row.field == F::Autoname) {
                    // setText cuts to the maximum length; a longer name from
                    // the file must be shown whole and stay whole in the record.
                    edit->setMaxLength(std::max(kNameLength, static_cast<int>(value.size())));
                }
                showValue(edit, value);
                break;
            }
            case Control::Choice: {
                // A code no entry stands for shows no entry: never the one of
                // the vehicle shown before.
                const auto code =
                    std::find_if(row.codes.begin(), row.codes.end(),
                                 [&](const char* c) { return c != nullptr && value == c; });
                static_cast<QComboBox*>(editor)->setCurrentIndex(
                    code != row.codes.end() ? static_cast<int>(code - row.codes.begin()) : -1);
                break;
            }
            case Control::Tick:
                static_cast<QCheckBox*>(editor)->setChecked(value == "1");
                break;
        }
    }

    const std::uint16_t bits = flagBits((*record)[F::Flags]).value_or(0);
    for (std::size_t i = 0; i < flagBoxes_.size(); ++i) {
        flagBoxes_[i]->setChecked(((bits >> i) & 1U) != 0);
    }
    showFlagsValue();
}

void HandlingPages::showFlagsValue() {
    const HandlingRecord* record = currentRecord();
    flagsValue_->setText(record != nullptr ? shownText((*record)[F::Flags]) : QString());
}

void HandlingPages::showPicture(const QString& programFolder, const QString& name) {
    picture_->showVehicle(programFolder, name);
}

QWidget* HandlingPages::editorOfField(int field) const {
    if (field < 0 || field >= kHandlingFieldCount) {
        return nullptr;
    }
    return editors_[static_cast<std::size_t>(field)];
}

void HandlingPages::focusField(int field) {
    QWidget* editor = editorOfField(field);
    if (editor == nullptr) {
        return;
    }
    for (int i = 0; i < count(); ++i) {
        auto* page = qobject_cast<QScrollArea*>(widget(i));
        if (page != nullptr && page->isAncestorOf(editor)) {
            setCurrentIndex(i);
            if (field == static_cast<int>(F::Flags)) {
                // All boxes in view, not just the first.
                page->ensureWidgetVisible(flagGroup_);
            }
            page->ensureWidgetVisible(editor);
            break;
        }
    }
    editor->setFocus(Qt::OtherFocusReason);
    // What the player types next replaces the reported value.
    if (auto* box = qobject_cast<QLineEdit*>(editor)) {
        box->selectAll();
    }
}

void HandlingPages::showAuthorAndDate() {
    const QScopedValueRollback<bool> holdBack(showing_, true);
    showValue(authorEdit_, session_.document().Author);
    showValue(dateEdit_, session_.document().Date);
}

const HandlingRecord* HandlingPages::currentRecord() const {
    const int index = session_.selected();
    if (index < 0 || session_.kind() != DataFileKind::Handling) {
        return nullptr;
    }
    return &session_.document().HandlingRecords[static_cast<std::size_t>(index)];
}

void HandlingPages::store(HandlingField field, std::string value) {
    if (showing_) {
        return;
    }
    session_.setHandlingValue(session_.selected(), field, std::move(value));
}

void HandlingPages::storeChoice(HandlingField field) {
    const auto& codes = rowOf(field).codes;
    const int index = static_cast<const QComboBox*>(editors_[at(field)])->currentIndex();
    if (index < 0 || index >= static_cast<int>(codes.size()) ||
        codes[static_cast<std::size_t>(index)] == nullptr) {
        return;
    }
    store(field, codes[static_cast<std::size_t>(index)]);
}

void HandlingPages::storeName() {
    auto* nameEdit = static_cast<QLineEdit*>(editors_[at(F::Autoname)]);
    store(F::Autoname, toBytes(nameEdit->text()));
    if (showing_) {
        return;
    }
    // A name longer than the game's 14 characters, read from a file, may be
    // shortened but never lengthened; once short it keeps the usual limit.
    nameEdit->setMaxLength(std::max(kNameLength, static_cast<int>(nameEdit->text().size())));
}

void HandlingPages::storeFlagBox(int box) {
    if (showing_) {
        return;
    }
    std::uint16_t shown = 0;
    for (std::size_t i = 0; i < flagBoxes_.size(); ++i) {
        if (flagBoxes_[i]->isChecked()) {
            shown = static_cast<std::uint16_t>(shown | (1U << i));
        }
    }
    const HandlingRecord* record = currentRecord();
    const std::string flags = record != nullptr ? std::string((*record)[F::Flags]) : std::string();
    const bool checked = flagBoxes_[static_cast<std::size_t>(box - 1)]->isChecked();
    store(F::Flags, withFlagBox(flags, box, checked, shown));
    showFlagsValue();
}

}  // namespace wendrake
