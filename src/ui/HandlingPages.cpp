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
#include "ui/ShownText.h"
#include "ui/ValueEdit.h"

namespace wendrake {

namespace {

using F = HandlingField;
using HP = HandlingPages;

// The game keeps 14 characters of a name.
constexpr int kNameLength = 14;
constexpr int kValueWidth = 180;

constexpr int kFlagCount = 16;
constexpr int kFlagPage = 5;

// One caption label, control and (optional) hint label of a value page, in
// page order. A row edits through a text box, a combo of coded entries, or,
// for ABS alone, a check box.
struct Row {
    F field;
    int page;
    const char* control;
    const char* label;
    const char* caption;  // German design text
    const char* hint;     // design text of the hint label; no hint label when null
    void (HP::*handler)();
    QLineEdit* HP::*text = nullptr;
    QComboBox* HP::*combo = nullptr;
    std::array<const char*, 4> entries{};  // combo entries, design texts
    std::array<const char*, 4> codes{};    // what each entry stores
};

constexpr std::array<const char*, 4> kLights{"Lang", "Klein", "Gross", "Lang/Gross"};
constexpr std::array<const char*, 4> kLightCodes{"0", "1", "2", "3"};

// clang-format off
const std::array<Row, 31> kRows{{
    {F::Autoname, 0, "txtAutoname", "lblAutoname", "Autoname", "(Maximal 14 Buchstaben)", &HP::txtAutoname_Change, &HP::txtAutoname},
    {F::Gewicht, 0, "txtGewicht", "lblGewicht", "Gewicht (kg)", "(1.0 bis 50000.0)", &HP::txtGewicht_Change, &HP::txtGewicht},
    {F::PedSeat, 0, "txtPedSeat", "lblPedSeat", "Ped Seat Offset", "(>= 0.0)", &HP::txtPedSeat_Change, &HP::txtPedSeat},
    {F::Koll, 0, "txtKoll", "lblKoll", "Koll.-Schaden-Multipl.", "(0.2 bis 5.0)", &HP::txtKoll_Change, &HP::txtKoll},
    {F::Preis, 0, "txtPreis", "lblPreis", "Geldwert/Preis", "(1 bis 100000)", &HP::txtPreis_Change, &HP::txtPreis},
    {F::FrontLichter, 0, "cmbFrontLichter", "lblFrontLichter", "Vorderlichter", nullptr, &HP::cmbFrontLichter_Click, nullptr, &HP::cmbFrontLichter, kLights, kLightCodes},
    {F::RearLichter, 0, "cmbRearLichter", "lblRearLichter", "Hinterlichter", nullptr, &HP::cmbRearLichter_Click, nullptr, &HP::cmbRearLichter, kLights, kLightCodes},

    {F::Breite, 1, "txtBreite", "lblBreite", "Breite (m)", "(0.0 > x > 20.0)", &HP::txtBreite_Change, &HP::txtBreite},
    {F::Hoehe, 1, "txtHoehe", "lblHoehe", "Höhe (m)", "(0.0 > x > 20.0)", &HP::txtHoehe_Change, &HP::txtHoehe},
    {F::Laenge, 1, "txtLaenge", "lblLaenge", "Länge (m)", "(0.0 > x > 20.0)", &HP::txtLaenge_Change, &HP::txtLaenge},
    {F::MassenmittelpX, 1, "txtMassenmittelpX", "lblMassenmittelpX", "Massenmittelp. X", "(-10.0 > x > 10.0)", &HP::txtMassenmittelpX_Change, &HP::txtMassenmittelpX},
    {F::MassenmittelpY, 1, "txtMassenmittelpY", "lblMassenmittelpY", "Massenmittelp. Y", "(-10.0 > x > 10.0)", &HP::txtMassenmittelpY_Change, &HP::txtMassenmittelpY},
    {F::MassenmittelpZ, 1, "txtMassenmittelpZ", "lblMassenmittelpZ", "Massenmittelp. Z", "(-10.0 > x > 10.0)", &HP::txtMassenmittelpZ_Change, &HP::txtMassenmittelpZ},
    {F::SubMerged, 1, "txtSubMerged", "lblSubMerged", "Versinkt (%)", "im Wasser (10 to 120)", &HP::txtSubMerged_Change, &HP::txtSubMerged},

    {F::Antrieb, 2, "cmbAntrieb", "lblAntrieb", "Antrieb", nullptr, &HP::cmbAntrieb_Click, nullptr, &HP::cmbAntrieb, {"Vorderradantrieb", "Hinterradantrieb", "4x4 Antrieb"}, {"F", "R", "4"}},
    {F::MotorTyp, 2, "cmbMotor", "lblMotorTyp", "Motor-Typ", nullptr, &HP::cmbMotor_Click, nullptr, &HP::cmbMotor, {"Benzin", "Diesel", "Elektro"}, {"P", "D", "E"}},
    {F::Beschleunigung, 2, "txtBeschleunigung", "lblBeschleunigung", "Beschl. (m/s^2)", "(0.1 bis 10.0)", &HP::txtBeschleunigung_Change, &HP::txtBeschleunigung},
    {F::Geschwindigkeit, 2, "txtGeschwindigkeit", "lblGeschwindigkeit", "Geschw. (km/h)", "(5.0 bis 150.0)", &HP::txtGeschwindigkeit_Change, &HP::txtGeschwindigkeit},
    {F::Gaenge, 2, "txtGaenge", "lblGaenge", "Anzahl Gänge", "(1 bis 5)", &HP::txtGaenge_Change, &HP::txtGaenge},
    {F::TractionMulti, 2, "txtTractionMulti", "lblTractionMulti", "Zugkraft - Multipl.", "(0.5 bis 2.0)", &HP::txtTractionMulti_Change, &HP::txtTractionMulti},
    {F::TractionLoss, 2, "txtTractionLoss", "lblTractionLoss", "Zugkraft - Verlust", "(0.0 > x > 1.0)", &HP::txtTractionLoss_Change, &HP::txtTractionLoss},
    {F::TractionBias, 2, "txtTractionBias", "lblTractionBias", "Zugkraft - Vorsp.", "(0.0 > x > 1.0)", &HP::txtTractionBias_Change, &HP::txtTractionBias},

    {F::Bremsstaerke, 3, "txtBremsstaerke", "lblBremsstaerke", "Bremsstärke", "(0.1 bis 10.0)", &HP::txtBremsstaerke_Change, &HP::txtBremsstaerke},
    {F::BrakeBias, 3, "txtBrakeBias", "lblBrakeBias", "Brake Bias", "(0.0 bis 1.0)", &HP::txtBrakeBias_Change, &HP::txtBrakeBias},
    {F::ABS, 3, "chkABS", "lblABS", "ABS", nullptr, &HP::chkABS_Click},

    {F::Radeinschlag, 4, "txtRadeinschlag", "lblRadeinschlag", "Radeinschlag", "(10.0 bis 40.0)", &HP::txtRadeinschlag_Change, &HP::txtRadeinschlag},
    {F::Kraftlevel, 4, "txtKraftlevel", "lblKraftlevel", "Kraftlevel", "(>= 0.0)", &HP::txtKraftlevel_Change, &HP::txtKraftlevel},
    {F::DLevel, 4, "txtDLevel", "lblDLevel", "Dämpfungslevel", "(>= 0.0)", &HP::txtDLevel_Change, &HP::txtDLevel},
    {F::OLimit, 4, "txtOLimit", "lblOLimit", "Oberes Limit", "(-1.0 bis 1.0)", &HP::txtOLimit_Change, &HP::txtOLimit},
    {F::ULimit, 4, "txtULimit", "lblULimit", "Unteres Limit", "(-1.0 bis 1.0)", &HP::txtULimit_Change, &HP::txtULimit},
    {F::Bias, 4, "txtBias", "lblBias", "Bias between F/R", "(-1.0 bis 1.0)", &HP::txtBias_Change, &HP::txtBias},
}};
// clang-format on

struct Page {
    const char* caption;
    int text;
};
constexpr std::array<Page, 8> kPages{{{"Allgemein", 2},
                                      {"Dimensionen", 3},
                                      {"Leistung&&Antrieb", 4},
                                      {"Bremsen", 5},
                                      {"Aufhängung", 6},
                                      {"Flags", 7},
                                      {"Bild", 64},
                                      {"Sonstiges", 62}}};

// Names the game gives its flag bits; the same in every language.
constexpr std::array<const char*, kFlagCount> kFlagCaptions{
    "1G_BOOST",        "2G_BOOST",      "REV_BONNET",   "HANGING_BOOT",
    "NO_DOORS",        "IS_VAN",        "IS_BUS",       "IS_LOW",
    "DBL_EXHAUST",     "TAILGATE_BOOT", "NOSWING_BOOT", "NONPLAYER_STABILISER",
    "NEUTRALHANDLING", "HAS_NO_ROOF",   "IS_BIG",       "HALOGEN_LIGHTS"};

constexpr std::array<void (HP::*)(), kFlagCount> kFlagHandlers{
    &HP::chkFlag1_Click,  &HP::chkFlag2_Click,  &HP::chkFlag3_Click,  &HP::chkFlag4_Click,
    &HP::chkFlag5_Click,  &HP::chkFlag6_Click,  &HP::chkFlag7_Click,  &HP::chkFlag8_Click,
    &HP::chkFlag9_Click,  &HP::chkFlag10_Click, &HP::chkFlag11_Click, &HP::chkFlag12_Click,
    &HP::chkFlag13_Click, &HP::chkFlag14_Click, &HP::chkFlag15_Click, &HP::chkFlag16_Click};

constexpr int kImportText = 95;
constexpr int kExportText = 96;
constexpr int kAuthorText = 100;
constexpr int kDateText = 101;

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

QLabel* namedLabel(const QString& name, const char* text) {
    auto* label = new QLabel(design(text));
    label->setObjectName(name);
    return label;
}

}  // namespace

HandlingPages::HandlingPages(DocumentSession& session, QWidget* parent)
    : QTabWidget(parent), session_(session) {
    setObjectName(QStringLiteral("handlingPages"));
    for (int page = 0; page < kFlagPage; ++page) {
        addPage(buildValuePage(page));
    }
    addPage(buildFlagPage());
    addPage(buildPicturePage());
    addPage(buildOtherPage());
    for (int i = 0; i < count(); ++i) {
        setTabText(i, design(kPages[static_cast<std::size_t>(i)].caption));
    }
    editors_[at(F::Flags)] = chkFlag[0];
    alignValueColumns();
    connectHandlers();
}

// The value boxes stand at the same place on every page, so that they do not
// jump sideways when the player switches pages.
void HandlingPages::alignValueColumns() {
    int width = 0;
    for (const QLabel* label : captionLabels_) {
        if (label != nullptr) {
            width = std::max(width, label->sizeHint().width());
        }
    }
    for (QGridLayout* grid : valueGrids_) {
        grid->setColumnMinimumWidth(0, width);
    }
}

// Every page scrolls, so a small window shows all of it rather than clipping.
QWidget* HandlingPages::addPage(QWidget* content) {
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("SSTab1Page%1").arg(count()));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(content);
    addTab(scroll, QString());
    return scroll;
}

QWidget* HandlingPages::buildValuePage(int page) {
    auto* content = new QWidget;
    auto* grid = new QGridLayout(content);
    grid->setContentsMargins(24, 20, 24, 20);
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(10);

    // Rows as tall as a text box, so a check box row keeps the rhythm.
    const int rowHeight = QLineEdit().sizeHint().height();
    int line = 0;
    for (const Row& row : kRows) {
        if (row.page != page) {
            continue;
        }
        QWidget* editor = nullptr;
        if (row.text != nullptr) {
            QLineEdit* edit = valueEdit(row.control, kHandlingSeparators);
            this->*row.text = edit;
            editor = edit;
        } else if (row.combo != nullptr) {
            auto* combo = new QComboBox;
            combo->setObjectName(design(row.control));
            for (const char* entry : row.entries) {
                if (entry != nullptr) {
                    combo->addItem(design(entry));
                }
            }
            this->*row.combo = combo;
            editor = combo;
        } else {
            chkABS = new QCheckBox;
            chkABS->setObjectName(design(row.control));
            editor = chkABS;
        }
        if (row.text != nullptr || row.combo != nullptr) {
            editor->setFixedWidth(kValueWidth);
        }
        editors_[at(row.field)] = editor;

        const QString label = design(row.label);
        captionLabels_[at(row.field)] = namedLabel(label, row.caption);
        grid->addWidget(captionLabels_[at(row.field)], line, 0);
        grid->addWidget(editor, line, 1, Qt::AlignLeft);
        if (row.hint != nullptr) {
            QLabel* hint = namedLabel(label + QStringLiteral("Info"), row.hint);
            hint->setForegroundRole(QPalette::PlaceholderText);
            hintLabels_[at(row.field)] = hint;
            grid->addWidget(hint, line, 2);
        }
        grid->setRowMinimumHeight(line, rowHeight);
        ++line;
    }
    txtAutoname->setMaxLength(kNameLength);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(line, 1);
    valueGrids_[static_cast<std::size_t>(page)] = grid;
    return content;
}

QWidget* HandlingPages::buildFlagPage() {
    auto* content = new QWidget;
    auto* grid = new QGridLayout(content);
    grid->setContentsMargins(24, 20, 24, 20);
    grid->setHorizontalSpacing(32);
    grid->setVerticalSpacing(12);
    // One line per hexadecimal digit of the flags value, lowest first.
    constexpr int kColumns = 4;
    for (int i = 0; i < kFlagCount; ++i) {
        auto* box = new QCheckBox(design(kFlagCaptions[static_cast<std::size_t>(i)]));
        box->setObjectName(QStringLiteral("chkFlag%1").arg(i + 1));
        chkFlag[static_cast<std::size_t>(i)] = box;
        grid->addWidget(box, i / kColumns, i % kColumns);
    }
    grid->setColumnStretch(kColumns, 1);
    grid->setRowStretch(kFlagCount / kColumns, 1);
    return content;
}

QWidget* HandlingPages::buildPicturePage() {
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(24, 20, 24, 20);
    picFrame = new PicturePane("picFrame", "picCar");
    layout->addWidget(picFrame);
    return content;
}

QWidget* HandlingPages::buildOtherPage() {
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(24, 20, 24, 20);
    layout->setSpacing(16);

    auto* buttons = new QHBoxLayout;
    cmdImportCar = new QPushButton(QStringLiteral("Import Autos"));
    cmdImportCar->setObjectName(QStringLiteral("cmdImportCar"));
    cmdExportCar = new QPushButton(QStringLiteral("Export Autos..."));
    cmdExportCar->setObjectName(QStringLiteral("cmdExportCar"));
    for (QPushButton* button : {cmdImportCar, cmdExportCar}) {
        button->setMinimumWidth(160);
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    layout->addLayout(buttons);

    const auto framed = [layout](const char* frameName, const char* title, const char* editName,
                                 QLineEdit*& edit) {
        auto* frame = new QGroupBox(design(title));
        frame->setObjectName(design(frameName));
        frame->setMaximumWidth(520);
        auto* inner = new QVBoxLayout(frame);
        // Each is the rest of a comment line: any text of one line fits.
        edit = valueEdit(editName, QString());
        inner->addWidget(edit);
        layout->addWidget(frame);
        return frame;
    };
    frameAuthor = framed("frameAuthor", "Autor", "txtAuthor", txtAuthor);
    frameDate = framed("frameDate", "Datum", "txtDate", txtDate);
    layout->addStretch(1);
    return content;
}

void HandlingPages::connectHandlers() {
    for (const Row& row : kRows) {
        if (row.text != nullptr) {
            connect(this->*row.text, &QLineEdit::textChanged, this, row.handler);
        } else if (row.combo != nullptr) {
            // A choice counts even when it is the entry already shown: that
            // entry may stand for another vehicle's code (see the display).
            connect(this->*row.combo, &QComboBox::activated, this, row.handler);
        }
    }
    connect(chkABS, &QCheckBox::toggled, this, &HP::chkABS_Click);
    for (std::size_t i = 0; i < chkFlag.size(); ++i) {
        connect(chkFlag[i], &QCheckBox::toggled, this, kFlagHandlers[i]);
    }
    connect(txtAuthor, &QLineEdit::textChanged, this, &HP::txtAuthor_Change);
    connect(txtDate, &QLineEdit::textChanged, this, &HP::txtDate_Change);
}

void HandlingPages::applyLanguage(const LanguageTable& language) {
    const auto text = [&language](int k) { return languageText(language, k); };
    for (int i = 0; i < count(); ++i) {
        setTabText(i, text(kPages[static_cast<std::size_t>(i)].text));
    }
    // A language file keeps a field's hint or its list entries right after
    // the field's caption.
    for (const Row& row : kRows) {
        const int caption = handlingFieldInfo(static_cast<int>(row.field)).captionText;
        captionLabels_[at(row.field)]->setText(text(caption));
        if (QLabel* hint = hintLabels_[at(row.field)]) {
            hint->setText(text(caption + 1));
        }
        if (row.combo != nullptr) {
            QComboBox* combo = this->*row.combo;
            for (int k = 0; k < combo->count(); ++k) {
                combo->setItemText(k, text(caption + 1 + k));
            }
        }
    }
    cmdImportCar->setText(text(kImportText));
    cmdExportCar->setText(text(kExportText));
    frameAuthor->setTitle(text(kAuthorText));
    frameDate->setTitle(text(kDateText));
    alignValueColumns();
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
        const std::string& value = (*record)[row.field];
        if (row.text != nullptr) {
            QLineEdit* edit = this->*row.text;
            if (edit == txtAutoname) {
                // setText cuts to the maximum length; a longer name from the
                // file must be shown whole and stay whole in the record.
                edit->setMaxLength(std::max(kNameLength, static_cast<int>(value.size())));
            }
            showValue(edit, value);
        } else if (row.combo != nullptr) {
            // A code no entry stands for shows no entry: never the one of
            // the vehicle shown before.
            const auto code = std::find_if(row.codes.begin(), row.codes.end(), [&](const char* c) {
                return c != nullptr && value == c;
            });
            (this->*row.combo)
                ->setCurrentIndex(
                    code != row.codes.end() ? static_cast<int>(code - row.codes.begin()) : -1);
        } else {
            chkABS->setChecked(value == "1");
        }
    }

    const std::uint16_t bits = flagBits((*record)[F::Flags]).value_or(0);
    for (std::size_t i = 0; i < chkFlag.size(); ++i) {
        chkFlag[i]->setChecked(((bits >> i) & 1U) != 0);
    }
}

void HandlingPages::showPicture(const QString& programFolder, const QString& name) {
    picFrame->showVehicle(programFolder, name);
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
            page->ensureWidgetVisible(editor);
            break;
        }
    }
    editor->setFocus(Qt::OtherFocusReason);
}

void HandlingPages::showAuthorAndDate() {
    const QScopedValueRollback<bool> holdBack(showing_, true);
    showValue(txtAuthor, session_.document().Author);
    showValue(txtDate, session_.document().Date);
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

void HandlingPages::storeText(HandlingField field, const QLineEdit* edit) {
    store(field, toBytes(edit->text()));
}

void HandlingPages::storeChoice(HandlingField field, const QComboBox* combo) {
    const auto& codes = rowOf(field).codes;
    const int index = combo->currentIndex();
    if (index < 0 || index >= static_cast<int>(codes.size()) ||
        codes[static_cast<std::size_t>(index)] == nullptr) {
        return;
    }
    store(field, codes[static_cast<std::size_t>(index)]);
}

void HandlingPages::storeName() {
    storeText(F::Autoname, txtAutoname);
    if (showing_) {
        return;
    }
    // A name longer than the game's 14 characters, read from a file, may be
    // shortened but never lengthened; once short it keeps the usual limit.
    txtAutoname->setMaxLength(std::max(kNameLength, static_cast<int>(txtAutoname->text().size())));
}

void HandlingPages::storeFlagBox(int box) {
    if (showing_) {
        return;
    }
    std::uint16_t shown = 0;
    for (std::size_t i = 0; i < chkFlag.size(); ++i) {
        if (chkFlag[i]->isChecked()) {
            shown = static_cast<std::uint16_t>(shown | (1U << i));
        }
    }
    const HandlingRecord* record = currentRecord();
    const std::string flags = record != nullptr ? (*record)[F::Flags] : std::string();
    const bool checked = chkFlag[static_cast<std::size_t>(box - 1)]->isChecked();
    store(F::Flags, withFlagBox(flags, box, checked, shown));
}

void HandlingPages::storeAuthor() {
    if (!showing_) {
        session_.setAuthor(toBytes(txtAuthor->text()));
    }
}

void HandlingPages::storeDate() {
    if (!showing_) {
        session_.setDate(toBytes(txtDate->text()));
    }
}

// clang-format off
void HandlingPages::txtAutoname_Change() { storeName(); }
void HandlingPages::txtGewicht_Change() { storeText(F::Gewicht, txtGewicht); }
void HandlingPages::txtBreite_Change() { storeText(F::Breite, txtBreite); }
void HandlingPages::txtHoehe_Change() { storeText(F::Hoehe, txtHoehe); }
void HandlingPages::txtLaenge_Change() { storeText(F::Laenge, txtLaenge); }
void HandlingPages::txtMassenmittelpX_Change() { storeText(F::MassenmittelpX, txtMassenmittelpX); }
void HandlingPages::txtMassenmittelpY_Change() { storeText(F::MassenmittelpY, txtMassenmittelpY); }
void HandlingPages::txtMassenmittelpZ_Change() { storeText(F::MassenmittelpZ, txtMassenmittelpZ); }
void HandlingPages::txtSubMerged_Change() { storeText(F::SubMerged, txtSubMerged); }
void HandlingPages::txtTractionMulti_Change() { storeText(F::TractionMulti, txtTractionMulti); }
void HandlingPages::txtTractionLoss_Change() { storeText(F::TractionLoss, txtTractionLoss); }
void HandlingPages::txtTractionBias_Change() { storeText(F::TractionBias, txtTractionBias); }
void HandlingPages::txtGaenge_Change() { storeText(F::Gaenge, txtGaenge); }
void HandlingPages::txtGeschwindigkeit_Change() { storeText(F::Geschwindigkeit, txtGeschwindigkeit); }
void HandlingPages::txtBeschleunigung_Change() { storeText(F::Beschleunigung, txtBeschleunigung); }
void HandlingPages::cmbAntrieb_Click() { storeChoice(F::Antrieb, cmbAntrieb); }
void HandlingPages::cmbMotor_Click() { storeChoice(F::MotorTyp, cmbMotor); }
void HandlingPages::txtBremsstaerke_Change() { storeText(F::Bremsstaerke, txtBremsstaerke); }
void HandlingPages::txtBrakeBias_Change() { storeText(F::BrakeBias, txtBrakeBias); }
void HandlingPages::chkABS_Click() { store(F::ABS, chkABS->isChecked() ? "1" : "0"); }
void HandlingPages::txtRadeinschlag_Change() { storeText(F::Radeinschlag, txtRadeinschlag); }
void HandlingPages::txtKraftlevel_Change() { storeText(F::Kraftlevel, txtKraftlevel); }
void HandlingPages::txtDLevel_Change() { storeText(F::DLevel, txtDLevel); }
void HandlingPages::txtPedSeat_Change() { storeText(F::PedSeat, txtPedSeat); }
void HandlingPages::txtKoll_Change() { storeText(F::Koll, txtKoll); }
void HandlingPages::txtPreis_Change() { storeText(F::Preis, txtPreis); }
void HandlingPages::txtOLimit_Change() { storeText(F::OLimit, txtOLimit); }
void HandlingPages::txtULimit_Change() { storeText(F::ULimit, txtULimit); }
void HandlingPages::txtBias_Change() { storeText(F::Bias, txtBias); }
void HandlingPages::cmbFrontLichter_Click() { storeChoice(F::FrontLichter, cmbFrontLichter); }
void HandlingPages::cmbRearLichter_Click() { storeChoice(F::RearLichter, cmbRearLichter); }
void HandlingPages::chkFlag1_Click() { storeFlagBox(1); }
void HandlingPages::chkFlag2_Click() { storeFlagBox(2); }
void HandlingPages::chkFlag3_Click() { storeFlagBox(3); }
void HandlingPages::chkFlag4_Click() { storeFlagBox(4); }
void HandlingPages::chkFlag5_Click() { storeFlagBox(5); }
void HandlingPages::chkFlag6_Click() { storeFlagBox(6); }
void HandlingPages::chkFlag7_Click() { storeFlagBox(7); }
void HandlingPages::chkFlag8_Click() { storeFlagBox(8); }
void HandlingPages::chkFlag9_Click() { storeFlagBox(9); }
void HandlingPages::chkFlag10_Click() { storeFlagBox(10); }
void HandlingPages::chkFlag11_Click() { storeFlagBox(11); }
void HandlingPages::chkFlag12_Click() { storeFlagBox(12); }
void HandlingPages::chkFlag13_Click() { storeFlagBox(13); }
void HandlingPages::chkFlag14_Click() { storeFlagBox(14); }
void HandlingPages::chkFlag15_Click() { storeFlagBox(15); }
void HandlingPages::chkFlag16_Click() { storeFlagBox(16); }
void HandlingPages::txtAuthor_Change() { storeAuthor(); }
void HandlingPages::txtDate_Change() { storeDate(); }
// clang-format on

}  // namespace wendrake
