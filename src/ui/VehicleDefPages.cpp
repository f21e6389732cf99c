// SPDX-License-Identifier: GPL-3.0-or-later
#include "VehicleDefPages.h"

#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QVBoxLayout>
#include <array>

#include "io/LanguageFiles.h"
#include "ui/Explanation.h"
#include "ui/FlowingColumns.h"
#include "ui/Mnemonics.h"
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

constexpr int kPageText = Text::VehiclePage;
constexpr int kCarExtra1 = 145;
constexpr int kCarExtra1Info = 146;
constexpr int kPlaneExtra1Info = 147;
constexpr int kPlaneExtra1 = 151;
constexpr int kEditorWidth = 150;

// One line of a group: a caption, the value's control and a muted hint.
struct Row {
    int group;
    const char* captionName;
    const char* captionText;
    int captionNumber;
    const char* hintText;
    int hintNumber;
};

// The groups' titles: design text and language text.
constexpr std::array<std::pair<const char*, int>, 2> kGroups{
    {{"ID && Referenzen", 123}, {"Fahrzeug-Eigenschaften", 124}}};

constexpr int kRowCount = 12;
constexpr int kExtra1Row = 10;
constexpr int kExtra2Row = 11;
constexpr std::array<Row, kRowCount> kRows{{
    {0, "lblID", "ID", 125, "ID in der default.ide", 126},
    {0, "lblModelName", "Model-Name", 129, "Referenz zum 3D-Modell", 130},
    {0, "lblTXDName", "TXD-Name", 131, "Referenz zur Textur", 132},
    {0, "lblHandlingID", "Handling-ID", 127, "Referenz zu handling.cfg", 128},
    {0, "lblGameName", "Game-Name", 133, "Referenz zum Namen im Spiel", 134},
    {1, "lblTyp", "Typ", 135, "Fahrzeugtyp", 136},
    {1, "lblKlasse", "Klasse", 137, "Wer fährt dieses Fahrzeug", 138},
    {1, "lblFrequenz", "Frequenz", 139, "Häufigkeit des Auftretens", 140},
    {1, "lblLevel", "Level", 141, "Unbekannt", 142},
    {1, "lblCompRules", "Comprules", 143, "Unbekannt", 144},
    {1, "lblExtra1", "Extra 1", kCarExtra1, "Extra 1 Info", kCarExtra1Info},
    {1, "lblExtra2", "Extra 2", 148, "Extra 2 Info", 149},
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

    idEdit_ = valueBox("txtID");
    modelNameEdit_ = valueBox("txtModelName");
    textureNameEdit_ = valueBox("txtTXDName");
    handlingIdEdit_ = valueBox("txtHandlingID");
    gameNameEdit_ = valueBox("txtGameName");
    typeChooser_ = pickList("cmbTyp", kTypes);
    classChooser_ = pickList("cmbKlasse", kClasses);
    frequencyEdit_ = valueBox("txtFrequenz");
    levelEdit_ = valueBox("txtLevel");
    compRulesEdit_ = valueBox("txtCompRules");
    wheelModelChooser_ = pickList("cmbExtra1", kWheelModels);
    lowDetailModelEdit_ = valueBox("txtExtra1");
    wheelScaleEdit_ = valueBox("txtExtra2");

    picture_ = new PicturePane("picFrame2", "picCar2");
    // Room for a picture of the usual 320 x 200 without clipping it.
    picture_->setMinimumSize(332, 212);
    picture_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);

    // The picture beside the values, above them where the window is narrow.
    auto* page = new FlowingColumns;
    page->addBlock(picture_);
    auto* values = new QWidget;
    auto* valuesLayout = new QVBoxLayout(values);
    valuesLayout->setContentsMargins(0, 0, 0, 0);
    valuesLayout->setSpacing(16);
    valuesLayout->addWidget(buildGroup(0));
    valuesLayout->addWidget(buildGroup(1));
    page->addBlock(values);

    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("vehiclePage"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(page);
    addTab(scroll, QStringLiteral("Fahrzeug"));

    showCaptions();
    connectEditors();
}

QWidget* VehicleDefPages::buildGroup(int group) {
    const std::array<QWidget*, kRowCount> controls{
        idEdit_,       modelNameEdit_, textureNameEdit_,   handlingIdEdit_,
        gameNameEdit_, typeChooser_,   classChooser_,      frequencyEdit_,
        levelEdit_,    compRulesEdit_, wheelModelChooser_, wheelScaleEdit_};
    auto* frame = new QGroupBox;
    frame->setObjectName(QStringLiteral("valueGroup%1").arg(group));
    groups_[static_cast<std::size_t>(group)] = frame;
    auto* grid = new QGridLayout(frame);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);
    grid->setColumnStretch(2, 1);
    // The same caption width in both groups keeps the boxes in one line
    // when the groups stand above each other.
    grid->setColumnMinimumWidth(0, 120);
    int line = 0;
    for (int row = 0; row < kRowCount; ++row) {
        const Row& r = kRows[static_cast<std::size_t>(row)];
        if (r.group != group) {
            continue;
        }
        QWidget* control = controls[static_cast<std::size_t>(row)];
        auto* caption = new QLabel;
        caption->setObjectName(QString::fromLatin1(r.captionName));
        caption->setBuddy(control);
        auto* hint = new QLabel;
        hint->setObjectName(QString::fromLatin1(r.captionName) + QStringLiteral("Info"));
        hint->setForegroundRole(QPalette::PlaceholderText);
        control->setFixedWidth(kEditorWidth);
        grid->addWidget(caption, line, 0);
        grid->addWidget(control, line, 1);
        grid->addWidget(hint, line, 2);
        captions_.push_back({caption, r.captionText, r.captionNumber});
        captions_.push_back({hint, r.hintText, r.hintNumber});
        captionLabels_.push_back(caption);
        if (row == kExtra1Row) {
            // The plane's extra value takes the place of the car's wheel
            // model: never both are shown. Until a record says otherwise the
            // page looks like a car's.
            lowDetailModelEdit_->setFixedWidth(kEditorWidth);
            grid->addWidget(lowDetailModelEdit_, line, 1);
            lowDetailModelEdit_->hide();
            extraLabel_ = caption;
            extraHint_ = hint;
        } else if (row == kExtra2Row) {
            wheelScaleLabel_ = caption;
            wheelScaleHint_ = hint;
        }
        ++line;
    }
    return frame;
}

void VehicleDefPages::connectEditors() {
    const std::array<std::pair<QLineEdit*, Field>, 9> boxes{{{idEdit_, Field::ID},
                                                             {modelNameEdit_, Field::ModelName},
                                                             {textureNameEdit_, Field::TXDName},
                                                             {handlingIdEdit_, Field::HandlingID},
                                                             {gameNameEdit_, Field::GameName},
                                                             {frequencyEdit_, Field::Frequenz},
                                                             {levelEdit_, Field::Level},
                                                             {compRulesEdit_, Field::CompRules},
                                                             {lowDetailModelEdit_, Field::Extra1}}};
    for (const auto& [box, field] : boxes) {
        connect(box, &QLineEdit::textChanged, this,
                [this, field = field](const QString& text) { store(field, text); });
    }
    connect(wheelScaleEdit_, &QLineEdit::textChanged, this,
            [this](const QString& text) { store(Field::Extra2, text); });
    connect(typeChooser_, &QComboBox::activated, this, &VehicleDefPages::typeChosen);
    connect(classChooser_, &QComboBox::activated, this,
            [this] { store(Field::Klasse, classChooser_->currentText()); });
    connect(wheelModelChooser_, &QComboBox::activated, this, &VehicleDefPages::storeWheelModel);
}

void VehicleDefPages::applyLanguage(const LanguageTable& language) {
    language_ = &language;
    showCaptions();
}

void VehicleDefPages::showCaptions() {
    const auto text = [this](const char* designText, int number) {
        return language_ ? languageText(*language_, number) : QString::fromUtf8(designText);
    };
    setTabText(0, text("Fahrzeug", kPageText));
    for (const Caption& caption : captions_) {
        caption.label->setText(text(caption.designText, caption.text));
    }
    for (std::size_t group = 0; group < kGroups.size(); ++group) {
        groups_[group]->setTitle(text(kGroups[group].first, kGroups[group].second));
    }
    if (planeCaptions_) {
        extraLabel_->setText(text("LOD-Modell", kPlaneExtra1));
        extraHint_->setText(text("ID des Modells mit geringer Detailstufe", kPlaneExtra1Info));
    }
    giveMnemonics(QList<QLabel*>(captionLabels_.begin(), captionLabels_.end()),
                  language_ ? menuLetters(*language_) : QString());
    if (language_) {
        explainControls(*language_);
    }
}

void VehicleDefPages::explainControls(const LanguageTable& language) {
    const std::array<std::pair<QWidget*, int>, 13> explained{{
        {idEdit_, Text::IdExplained},
        {modelNameEdit_, Text::ModelNameExplained},
        {textureNameEdit_, Text::TextureNameExplained},
        {handlingIdEdit_, Text::HandlingIdExplained},
        {gameNameEdit_, Text::GameNameExplained},
        {typeChooser_, Text::TypeExplained},
        {classChooser_, Text::ClassExplained},
        {frequencyEdit_, Text::FrequencyExplained},
        {levelEdit_, Text::LevelExplained},
        {compRulesEdit_, Text::CompRulesExplained},
        {wheelModelChooser_, Text::WheelModelExplained},
        {lowDetailModelEdit_, Text::LowDetailModelExplained},
        {wheelScaleEdit_, Text::WheelScaleExplained},
    }};
    for (const auto& [control, text] : explained) {
        explain(control, languageText(language, text));
    }
}

const VehicleDefRecord* VehicleDefPages::currentRecord() const {
    const int index = session_.selected();
    if (index < 0 || session_.kind() != DataFileKind::VehicleDefs) {
        return nullptr;
    }
    return &session_.document().VehicleDefRecords[static_cast<std::size_t>(index)];
}

// Every edit ends here: the value (if any) goes into the selected record
// through the session. False while the display fills the controls, which is
// no edit.
bool VehicleDefPages::store(std::optional<VehicleDefField> field, const QString& value) {
    if (showing_) {
        return false;
    }
    if (field) {
        session_.setVehicleDefValue(session_.selected(), *field, toBytes(value));
    }
    return true;
}

void VehicleDefPages::typeChosen() {
    if (store(Field::Typ, typeChooser_->currentText())) {
        if (const VehicleDefRecord* record = currentRecord()) {
            showExtraControls(*record);
        }
    }
}

void VehicleDefPages::storeWheelModel() {
    const qsizetype model = kWheelModels.indexOf(wheelModelChooser_->currentText());
    store(model < 0 ? std::nullopt : std::optional(Field::Extra1),
          QString::number(kFirstWheelModel + model));
}

void VehicleDefPages::showCurrentRecord() {
    // Without a record the page stays empty: nothing of an earlier vehicle
    // or file seems editable.
    static const VehicleDefRecord kNone{};
    const VehicleDefRecord* record = currentRecord();
    const VehicleDefRecord& r = record ? *record : kNone;
    const QScopedValueRollback holdBack(showing_, true);
    showValue(idEdit_, r[Field::ID]);
    showValue(handlingIdEdit_, r[Field::HandlingID]);
    showValue(modelNameEdit_, r[Field::ModelName]);
    showValue(textureNameEdit_, r[Field::TXDName]);
    showValue(gameNameEdit_, r[Field::GameName]);
    showComboText(typeChooser_, static_cast<int>(kTypes.size()), shownText(r[Field::Typ]));
    showComboText(classChooser_, static_cast<int>(kClasses.size()), shownText(r[Field::Klasse]));
    showValue(frequencyEdit_, r[Field::Frequenz]);
    showValue(levelEdit_, r[Field::Level]);
    showValue(compRulesEdit_, r[Field::CompRules]);
    showExtraControls(r);
}

// The type decides which extra values the vehicle has: a car its wheel model
// and wheel scale, a plane one value; the types are compared exactly, as the
// game and the file writer do.
void VehicleDefPages::showExtraControls(const VehicleDefRecord& record) {
    const QScopedValueRollback holdBack(showing_, true);
    const std::string_view typ = record[Field::Typ];
    const bool car = typ == "car";
    const bool plane = typ == "plane";
    if (car) {
        // A wheel number without a name shows no wheel, never the one of
        // the vehicle shown before; the record keeps the number until the
        // player picks a wheel.
        const QString wheel = fromBytes(std::string(record[Field::Extra1]));
        int shown = -1;
        for (int model = 0; model < kWheelModels.size(); ++model) {
            if (wheel == QString::number(kFirstWheelModel + model)) {
                shown = model;
            }
        }
        wheelModelChooser_->setCurrentIndex(shown);
        showValue(wheelScaleEdit_, record[Field::Extra2]);
    } else if (plane) {
        showValue(lowDetailModelEdit_, record[Field::Extra1]);
    }
    if ((car || plane) && plane != planeCaptions_) {
        planeCaptions_ = plane;
        showCaptions();
    }
    extraLabel_->setBuddy(plane ? static_cast<QWidget*>(lowDetailModelEdit_) : wheelModelChooser_);
    extraLabel_->setVisible(car || plane);
    extraHint_->setVisible(car || plane);
    wheelModelChooser_->setVisible(car);
    lowDetailModelEdit_->setVisible(plane);
    wheelScaleLabel_->setVisible(car);
    wheelScaleEdit_->setVisible(car);
    wheelScaleHint_->setVisible(car);
}

QWidget* VehicleDefPages::editorOfField(VehicleDefField field) const {
    switch (field) {
        case Field::ID:
            return idEdit_;
        case Field::ModelName:
            return modelNameEdit_;
        case Field::TXDName:
            return textureNameEdit_;
        case Field::Typ:
            return typeChooser_;
        case Field::HandlingID:
            return handlingIdEdit_;
        case Field::GameName:
            return gameNameEdit_;
        case Field::Klasse:
            return classChooser_;
        case Field::Frequenz:
            return frequencyEdit_;
        case Field::Level:
            return levelEdit_;
        case Field::CompRules:
            return compRulesEdit_;
        case Field::Extra1:
            return planeCaptions_ ? static_cast<QWidget*>(lowDetailModelEdit_)
                                  : static_cast<QWidget*>(wheelModelChooser_);
        case Field::Extra2:
            return wheelScaleEdit_;
    }
    return nullptr;
}

void VehicleDefPages::showPicture(const QString& programFolder, const QString& name) {
    picture_->showVehicle(programFolder, name);
}

}  // namespace wendrake
