// SPDX-License-Identifier: GPL-3.0-or-later
#include "VehicleDefPages.h"

#include <QFont>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QVBoxLayout>
#include <array>

#include "io/LanguageFiles.h"
#include "ui/ShownText.h"
#include "ui/ValueEdit.h"

namespace wendrake {

namespace {

using Field = VehicleDefField;

const QStringList kTypes = {QStringLiteral("car"), QStringLiteral("train"), QStringLiteral("boat"),
                            QStringLiteral("plane"), QStringLiteral("heli")};
const QStringList kClasses = {QStringLiteral("ignore"),     QStringLiteral("worker"),
                              QStringLiteral("big"),        QStringLiteral("poorfamily"),
                              QStringLiteral("richfamily"), QStringLiteral("taxi"),
                              QStringLiteral("executive"),  QStringLiteral("special")};
// A car's wheel models; the file holds their numbers, counted from 160.
const QStringList kWheelModels = {QStringLiteral("Sport"),    QStringLiteral("Saloon"),
                                  QStringLiteral("Lightvan"), QStringLiteral("Classic"),
                                  QStringLiteral("Alloy"),    QStringLiteral("Lighttruck"),
                                  QStringLiteral("Smallcar")};
constexpr int kFirstWheelModel = 160;

constexpr int kPictureTabText = 64;
constexpr int kCarExtra1 = 145;
constexpr int kCarExtra1Info = 146;
constexpr int kPlaneExtra1Info = 147;
constexpr int kPlaneExtra1 = 151;

constexpr int kValueWidth = 180;

// One line of a page: a caption, the value's control and a muted hint.
struct RowText {
    const char* caption;
    const char* captionText;
    int captionNumber;
    const char* hint;
    const char* hintText;
    int hintNumber;
};

// The rows of the first page, then those of the second, each in page order.
constexpr int kRowCount = 12;
constexpr int kFirstPropertyRow = 5;
constexpr int kExtra1Row = 10;
constexpr int kExtra2Row = 11;
constexpr std::array<RowText, kRowCount> kRows{{
    {"lblID", "ID", 125, "lblIDInfo", "ID in der default.ide", 126},
    {"lblModelName", "Model-Name", 129, "lblModelNameInfo", "Referenz zum 3D-Modell", 130},
    {"lblTXDName", "TXD-Name", 131, "lblTXDNameInfo", "Referenz zur Textur", 132},
    {"lblHandlingID", "Handling-ID", 127, "lblHandlingIDInfo", "Referenz zu handling.cfg", 128},
    {"lblGameName", "Game-Name", 133, "lblGameNameInfo", "Referenz zum Namen im Spiel", 134},
    {"lblTyp", "Typ", 135, "lblTypInfo", "Fahrzeugtyp", 136},
    {"lblKlasse", "Klasse", 137, "lblKlasseInfo", "Wer fährt dieses Fahrzeug", 138},
    {"lblFrequenz", "Frequenz", 139, "lblFrequenzInfo", "Häufigkeit des Auftretens", 140},
    {"lblLevel", "Level", 141, "lblLevelInfo", "Unbekannt", 142},
    {"lblCompRules", "Comprules", 143, "lblCompRulesInfo", "Unbekannt", 144},
    {"lblExtra1", "Extra 1", kCarExtra1, "lblExtra1Info", "Extra 1 Info", kCarExtra1Info},
    {"lblExtra2", "Extra 2", 148, "lblExtra2Info", "Extra 2 Info", 149},
}};

QLineEdit* valueBox(const char* name) {
    return valueEdit(name, kVehicleDefSeparators);
}

QComboBox* pickList(const char* name, const QStringList& entries) {
    auto* combo = new QComboBox;
    combo->setObjectName(QString::fromLatin1(name));
    combo->addItems(entries);
    return combo;
}

QLabel* label(const char* name, const char* designText) {
    auto* lbl = new QLabel(QString::fromUtf8(designText));
    lbl->setObjectName(QString::fromLatin1(name));
    return lbl;
}

// Shows `text` in a combo that offers the first `offered` entries. The file
// may hold a value the game knows and the list does not: it is shown as it
// is, as an extra entry below a separator, so that the player sees the real
// value and can pick it again after trying another. The next record takes
// the extra entry away.
void showComboText(QComboBox* combo, int offered, const QString& text) {
    while (combo->count() > offered) {
        combo->removeItem(combo->count() - 1);
    }
    int index = combo->findText(text);
    if (index < 0) {
        combo->insertSeparator(offered);
        combo->addItem(text);
        index = combo->count() - 1;
        QFont unusual = combo->font();
        unusual.setItalic(true);
        combo->setItemData(index, unusual, Qt::FontRole);
    }
    combo->setCurrentIndex(index);
}

}  // namespace

VehicleDefPages::VehicleDefPages(DocumentSession& session, QWidget* parent)
    : QTabWidget(parent), session_(session) {
    setObjectName(QStringLiteral("vehicleDefPages"));

    txtID = valueBox("txtID");
    txtModelName = valueBox("txtModelName");
    txtTXDName = valueBox("txtTXDName");
    txtHandlingID = valueBox("txtHandlingID");
    txtGameName = valueBox("txtGameName");
    cmbTyp = pickList("cmbTyp", kTypes);
    cmbKlasse = pickList("cmbKlasse", kClasses);
    txtFrequenz = valueBox("txtFrequenz");
    txtLevel = valueBox("txtLevel");
    txtCompRules = valueBox("txtCompRules");
    txtExtra1 = valueBox("txtExtra1");
    cmbExtra1 = pickList("cmbExtra1", kWheelModels);
    txtExtra2 = valueBox("txtExtra2");

    const std::array<QWidget*, kRowCount> controls{
        txtID,     txtModelName, txtTXDName, txtHandlingID, txtGameName, cmbTyp,
        cmbKlasse, txtFrequenz,  txtLevel,   txtCompRules,  cmbExtra1,   txtExtra2};
    // Caption, control and hint of rows [first, end) on the page of `grid`.
    const auto addRows = [&](QGridLayout* grid, int first, int end) {
        for (int row = first; row < end; ++row) {
            const RowText& t = kRows[static_cast<std::size_t>(row)];
            QWidget* control = controls[static_cast<std::size_t>(row)];
            QLabel* caption = label(t.caption, t.captionText);
            QLabel* hint = label(t.hint, t.hintText);
            hint->setForegroundRole(QPalette::PlaceholderText);
            control->setFixedWidth(kValueWidth);
            grid->addWidget(caption, row - first, 0);
            grid->addWidget(control, row - first, 1);
            grid->addWidget(hint, row - first, 2);
            captions_.emplace_back(caption, t.captionNumber);
            captions_.emplace_back(hint, t.hintNumber);
        }
        grid->setRowStretch(end - first, 1);  // the rows stay together at the top
    };
    addRows(addFormPage(QStringLiteral("ID&&Referenzen")), 0, kFirstPropertyRow);
    QGridLayout* properties = addFormPage(QStringLiteral("Fahrzeug-Eigenschaften"));
    addRows(properties, kFirstPropertyRow, kRowCount);
    // The plane's extra value takes the place of the car's wheel model: never
    // both are shown. Until a record says otherwise the page looks like a car's.
    txtExtra1->setFixedWidth(kValueWidth);
    properties->addWidget(txtExtra1, kExtra1Row - kFirstPropertyRow, 1);
    txtExtra1->hide();

    lblExtra1 = captions_[2 * kExtra1Row].first;
    lblExtra1Info = captions_[2 * kExtra1Row + 1].first;
    lblExtra2 = captions_[2 * kExtra2Row].first;
    lblExtra2Info = captions_[2 * kExtra2Row + 1].first;

    picFrame2 = new PicturePane("picFrame2", "picCar2");
    auto* picturePage = new QWidget;
    auto* pictureLayout = new QVBoxLayout(picturePage);
    pictureLayout->setContentsMargins(12, 12, 12, 12);
    pictureLayout->addWidget(picFrame2);
    addTab(picturePage, QStringLiteral("Bild"));

    connectHandlers();
}

QGridLayout* VehicleDefPages::addFormPage(const QString& caption) {
    auto* content = new QWidget;
    auto* grid = new QGridLayout(content);
    grid->setContentsMargins(20, 16, 20, 16);
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(10);
    grid->setColumnStretch(2, 1);
    // The same caption width on both pages keeps the value boxes in place
    // when the player switches pages.
    grid->setColumnMinimumWidth(0, 120);
    // A small window scrolls the page instead of squeezing the rows.
    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(content);
    addTab(scroll, caption);
    return grid;
}

void VehicleDefPages::connectHandlers() {
    using Self = VehicleDefPages;
    connect(txtID, &QLineEdit::textChanged, this, &Self::txtID_Change);
    connect(txtModelName, &QLineEdit::textChanged, this, &Self::txtModelName_Change);
    connect(txtTXDName, &QLineEdit::textChanged, this, &Self::txtTXDName_Change);
    connect(txtHandlingID, &QLineEdit::textChanged, this, &Self::txtHandlingID_Change);
    connect(txtGameName, &QLineEdit::textChanged, this, &Self::txtGameName_Change);
    connect(cmbTyp, &QComboBox::activated, this, &Self::cmbTyp_Click);
    connect(cmbKlasse, &QComboBox::activated, this, &Self::cmbKlasse_Click);
    connect(txtFrequenz, &QLineEdit::textChanged, this, &Self::txtFrequenz_Change);
    connect(txtLevel, &QLineEdit::textChanged, this, &Self::txtLevel_Change);
    connect(txtCompRules, &QLineEdit::textChanged, this, &Self::txtCompRules_Change);
    connect(txtExtra1, &QLineEdit::textChanged, this, &Self::txtExtra1_Change);
    connect(cmbExtra1, &QComboBox::activated, this, &Self::cmbExtra1_Click);
    connect(txtExtra2, &QLineEdit::textChanged, this, &Self::txtExtra2_Change);
}

void VehicleDefPages::applyLanguage(const LanguageTable& language) {
    language_ = &language;
    setTabText(0, text(123));
    setTabText(1, text(124));
    setTabText(2, text(kPictureTabText));
    for (const auto& [lbl, number] : captions_) {
        lbl->setText(text(number));
    }
    if (planeCaptions_) {
        lblExtra1->setText(text(kPlaneExtra1));
        lblExtra1Info->setText(text(kPlaneExtra1Info));
    }
}

QString VehicleDefPages::text(int number) const {
    return language_ ? languageText(*language_, number) : QString();
}

const VehicleDefRecord* VehicleDefPages::currentRecord() const {
    const int index = session_.selected();
    if (index < 0 || session_.kind() != DataFileKind::VehicleDefs) {
        return nullptr;
    }
    return &session_.document().VehicleDefRecords[static_cast<std::size_t>(index)];
}

// Every handler ends here: the value (if any) goes into the selected record
// through the session. False while the display fills the controls, which is
// no edit.
bool VehicleDefPages::edit(std::optional<VehicleDefField> field, const QString& value) {
    if (displaying_) {
        return false;
    }
    if (field) {
        session_.setVehicleDefValue(session_.selected(), *field, toBytes(value));
    }
    return true;
}

void VehicleDefPages::txtID_Change() {
    edit(Field::ID, txtID->text());
}

void VehicleDefPages::txtModelName_Change() {
    edit(Field::ModelName, txtModelName->text());
}

void VehicleDefPages::txtTXDName_Change() {
    edit(Field::TXDName, txtTXDName->text());
}

void VehicleDefPages::txtHandlingID_Change() {
    edit(Field::HandlingID, txtHandlingID->text());
}

void VehicleDefPages::txtGameName_Change() {
    edit(Field::GameName, txtGameName->text());
}

void VehicleDefPages::cmbTyp_Click() {
    if (edit(Field::Typ, cmbTyp->currentText())) {
        if (const VehicleDefRecord* record = currentRecord()) {
            applyExtraFieldRule(*record);
        }
    }
}

void VehicleDefPages::cmbKlasse_Click() {
    edit(Field::Klasse, cmbKlasse->currentText());
}

void VehicleDefPages::txtFrequenz_Change() {
    edit(Field::Frequenz, txtFrequenz->text());
}

void VehicleDefPages::txtLevel_Change() {
    edit(Field::Level, txtLevel->text());
}

void VehicleDefPages::txtCompRules_Change() {
    edit(Field::CompRules, txtCompRules->text());
}

void VehicleDefPages::txtExtra1_Change() {
    edit(Field::Extra1, txtExtra1->text());
}

void VehicleDefPages::cmbExtra1_Click() {
    const qsizetype model = kWheelModels.indexOf(cmbExtra1->currentText());
    edit(model < 0 ? std::nullopt : std::optional(Field::Extra1),
         QString::number(kFirstWheelModel + model));
}

void VehicleDefPages::txtExtra2_Change() {
    edit(Field::Extra2, txtExtra2->text());
}

void VehicleDefPages::showCurrentRecord() {
    // Without a record the pages stay empty: nothing of an earlier vehicle
    // or file seems editable.
    static const VehicleDefRecord kNone{};
    const VehicleDefRecord* record = currentRecord();
    const VehicleDefRecord& r = record ? *record : kNone;
    const QScopedValueRollback holdBack(displaying_, true);
    showValue(txtID, r[Field::ID]);
    showValue(txtHandlingID, r[Field::HandlingID]);
    showValue(txtModelName, r[Field::ModelName]);
    showValue(txtTXDName, r[Field::TXDName]);
    showValue(txtGameName, r[Field::GameName]);
    showComboText(cmbTyp, static_cast<int>(kTypes.size()), shownText(r[Field::Typ]));
    showComboText(cmbKlasse, static_cast<int>(kClasses.size()), shownText(r[Field::Klasse]));
    showValue(txtFrequenz, r[Field::Frequenz]);
    showValue(txtLevel, r[Field::Level]);
    showValue(txtCompRules, r[Field::CompRules]);
    applyExtraFieldRule(r);
}

// The type decides which extra values the vehicle has: a car its wheel model
// and wheel scale, a plane one value; the types are compared exactly, as the
// game and the file writer do.
void VehicleDefPages::applyExtraFieldRule(const VehicleDefRecord& record) {
    const QScopedValueRollback holdBack(displaying_, true);
    const std::string& typ = record[Field::Typ];
    const bool car = typ == "car";
    const bool plane = typ == "plane";
    if (car) {
        // A wheel number without a name shows no wheel, never the one of
        // the vehicle shown before; the record keeps the number until the
        // player picks a wheel.
        const QString wheel = fromBytes(record[Field::Extra1]);
        int shown = -1;
        for (int model = 0; model < kWheelModels.size(); ++model) {
            if (wheel == QString::number(kFirstWheelModel + model)) {
                shown = model;
            }
        }
        cmbExtra1->setCurrentIndex(shown);
        showValue(txtExtra2, record[Field::Extra2]);
    } else if (plane) {
        showValue(txtExtra1, record[Field::Extra1]);
    }
    if ((car || plane) && language_) {
        lblExtra1->setText(text(car ? kCarExtra1 : kPlaneExtra1));
        lblExtra1Info->setText(text(car ? kCarExtra1Info : kPlaneExtra1Info));
    }
    planeCaptions_ = plane;
    lblExtra1->setVisible(car || plane);
    lblExtra1Info->setVisible(car || plane);
    cmbExtra1->setVisible(car);
    txtExtra1->setVisible(plane);
    lblExtra2->setVisible(car);
    txtExtra2->setVisible(car);
    lblExtra2Info->setVisible(car);
}

void VehicleDefPages::showPicture(const QString& programFolder, const QString& name) {
    picFrame2->showVehicle(programFolder, name);
}

}  // namespace wendrake
