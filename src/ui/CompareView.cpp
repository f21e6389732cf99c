// SPDX-License-Identifier: GPL-3.0-or-later
#include "CompareView.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

#include "io/LanguageFiles.h"
#include "model/HandlingRecord.h"
#include "model/VehicleDefRecord.h"
#include "ui/CompareModel.h"
#include "ui/Explanation.h"
#include "ui/HandlingPages.h"
#include "ui/ValueEdit.h"

namespace wendrake {

namespace {

constexpr int kVehiclesTitle = 1;  // the title of the vehicle list

// The values that say which vehicle a line is: copied, they would rename a
// vehicle or give two vehicles one identity.
bool identifies(DataFileKind kind, int field) {
    switch (kind) {
        case DataFileKind::Handling:
            return field == static_cast<int>(HandlingField::Autoname);
        case DataFileKind::VehicleDefs:
            // The ID and the references name the model, its texture, its
            // handling line and its name in the game.
            return field == static_cast<int>(VehicleDefField::ID) ||
                   field == static_cast<int>(VehicleDefField::ModelName) ||
                   field == static_cast<int>(VehicleDefField::TXDName) ||
                   field == static_cast<int>(VehicleDefField::HandlingID) ||
                   field == static_cast<int>(VehicleDefField::GameName);
        case DataFileKind::CarColours:
            return true;  // pairs are no values of the keeper's value edits
    }
    return true;
}

}  // namespace

// A cell is typed into with the guard of the page's boxes: only what the
// file can store, no character that would split the line.
class ValueCellDelegate final : public QStyledItemDelegate {
  public:
    using Store = std::function<void(const QModelIndex&, const QString&)>;
    ValueCellDelegate(Store store, QObject* parent)
        : QStyledItemDelegate(parent), store_(std::move(store)) {}
    void setSeparators(const QString& separators) { separators_ = separators; }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                          const QModelIndex& /*index*/) const override {
        return valueEdit("compareCellEdit", separators_, parent);
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        static_cast<QLineEdit*>(editor)->setText(index.data(Qt::EditRole).toString());
    }
    void setModelData(QWidget* editor, QAbstractItemModel* /*model*/,
                      const QModelIndex& index) const override {
        store_(index, static_cast<QLineEdit*>(editor)->text());
    }

  private:
    Store store_;
    QString separators_;
};

namespace {

// A name in a menu item shows its "&" rather than marking a key with it.
QString menuSafe(QString text) {
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

}  // namespace

CompareView::CompareView(DocumentSession& session, QWidget* parent)
    : QWidget(parent),
      session_(session),
      model_(new CompareModel(session, this)),
      title_(new QLabel),
      copyButton_(new QToolButton),
      table_(new QTableView) {
    setObjectName(QStringLiteral("compareView"));
    title_->setObjectName(QStringLiteral("compareTitle"));
    title_->setWordWrap(true);
    copyButton_->setObjectName(QStringLiteral("copyButton"));
    copyButton_->setPopupMode(QToolButton::InstantPopup);
    copyButton_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto* copyMenu = new QMenu(copyButton_);
    copyMenu->setObjectName(QStringLiteral("copyMenu"));
    copyButton_->setMenu(copyMenu);
    table_->setObjectName(QStringLiteral("compareTable"));
    table_->setModel(model_);
    table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    cellEditor_ = new ValueCellDelegate(
        [this](const QModelIndex& cell, const QString& typed) {
            storeTyped(cell.row(), model_->recordAt(cell.column()), typed);
        },
        this);
    table_->setItemDelegate(cellEditor_);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setContextMenuPolicy(Qt::CustomContextMenu);
    table_->setWordWrap(false);
    // Every column as wide as the first: thousands of vehicles lay out at
    // once, no value measured before it is in view.
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    table_->horizontalHeader()->setDefaultSectionSize(150);
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 8);

    auto* top = new QHBoxLayout;
    top->addWidget(title_, 1);
    top->addWidget(copyButton_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addWidget(table_, 1);

    connect(copyMenu, &QMenu::aboutToShow, this,
            [this, copyMenu] { fillCopyMenu(copyMenu, table_->currentIndex()); });
    connect(table_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        const QModelIndex cell = table_->indexAt(at);
        if (!cell.isValid()) {
            return;
        }
        table_->setCurrentIndex(cell);
        QMenu menu;
        fillCopyMenu(&menu, cell);
        menu.exec(table_->viewport()->mapToGlobal(at));
    });
}

QString CompareView::text(int number) const {
    return language_ != nullptr ? languageText(*language_, number) : QString();
}

void CompareView::applyLanguage(const LanguageTable& language, const HandlingPages& pages) {
    language_ = &language;
    model_->setTexts(text(Text::ValueDiffers), text(Text::DiffersFrom));
    handlingLayout_ = handlingCompareLayout(pages, language);
    vehicleDefLayout_ = vehicleDefCompareLayout(language);
    // The vehicles' names above the values, the values' captions beside them.
    table_->horizontalHeader()->setAccessibleName(text(kVehiclesTitle));
    table_->verticalHeader()->setAccessibleName(text(Text::ComparedValues));
    copyButton_->setText(text(Text::CopyTo));
    explain(copyButton_, text(Text::CopyToExplained));
    compare(model_->records());
}

CompareLayout CompareView::layoutFor(const std::vector<int>& records) const {
    switch (session_.kind()) {
        case DataFileKind::Handling:
            return handlingLayout_;
        case DataFileKind::VehicleDefs:
            return vehicleDefLayout_;
        case DataFileKind::CarColours:
            break;
    }
    // As many lines as the model of the most pairs has.
    std::size_t pairs = 0;
    const auto& models = session_.document().CarColourRecords;
    for (const int record : records) {
        if (record >= 0 && record < static_cast<int>(models.size())) {
            pairs = std::max(pairs, models[static_cast<std::size_t>(record)].Color1.size());
        }
    }
    return language_ != nullptr ? colourCompareLayout(*language_, static_cast<int>(pairs))
                                : CompareLayout{};
}

void CompareView::compare(std::vector<int> records) {
    const QModelIndex current = table_->currentIndex();
    cellEditor_->setSeparators(session_.kind() == DataFileKind::Handling ? kHandlingSeparators
                                                                         : kVehicleDefSeparators);
    CompareLayout layout = layoutFor(records);
    model_->compare(std::move(records), std::move(layout));
    // A group's title line is one band across the vehicles.
    table_->clearSpans();
    for (int row = 0; row < model_->rowCount(); ++row) {
        if (model_->rowAt(row)->isTitle() && model_->columnCount() > 1) {
            table_->setSpan(row, 0, 1, model_->columnCount());
        }
    }
    // The same cell as before where there is one, else the first value.
    int row = current.isValid() ? current.row() : 0;
    if (const CompareRow* line = model_->rowAt(row); line != nullptr && line->isTitle()) {
        ++row;
    }
    const int column =
        current.isValid() && current.column() < model_->columnCount() ? current.column() : 0;
    table_->setCurrentIndex(model_->index(row, column));
    copyButton_->setEnabled(!model_->layout().rows.empty() &&
                            session_.kind() != DataFileKind::CarColours);
    showTitle();
}

bool CompareView::compares(int record) const {
    return model_->compares(record);
}

void CompareView::showTitle() {
    title_->setText(text(Text::CompareTitle).arg(model_->records().size()));
    // A screen reader names the table by what the title says of its marks.
    table_->setAccessibleName(title_->text());
}

void CompareView::followChange(const SessionChange& change) {
    // Another file, or tables replaced: the records compared may be others.
    if (change.has(Change::Opened | Change::Closed | Change::Reverted) ||
        (change.has(Change::List) && change.record < 0)) {
        model_->clear();
        emit ended();
        return;
    }
    if (change.has(Change::Pairs) && (change.record < 0 || compares(change.record))) {
        compare(model_->records());  // the number of lines may change
    } else if (change.has(Change::Value | Change::List)) {
        model_->recordChanged(change.record);
    }
}

void CompareView::storeTyped(int row, int record, const QString& text) {
    const CompareRow* line = model_->rowAt(row);
    if (line != nullptr && line->editable && record >= 0) {
        session_.setValues({{record, line->field, toBytes(text)}});
    }
}

std::vector<int> CompareView::copiedFields(int row, CopyScope scope) const {
    const CompareRow* line = model_->rowAt(row);
    std::vector<int> fields;
    if (line == nullptr && scope != CopyScope::All) {
        return fields;
    }
    const DataFileKind kind = session_.kind();
    for (const CompareRow& each : model_->layout().rows) {
        const bool taken = scope == CopyScope::All ||
                           (scope == CopyScope::Group && each.group == line->group) ||
                           (scope == CopyScope::Value && &each == line);
        if (taken && !each.isTitle() && !identifies(kind, each.field)) {
            fields.push_back(each.field);
        }
    }
    return fields;
}

int CompareView::copyValues(int from, const std::vector<int>& fields,
                            const std::vector<int>& targets) {
    const EditorDocument& document = session_.document();
    const auto valueOf = [&](int field) -> std::optional<std::string_view> {
        if (document.kind == DataFileKind::Handling &&
            from < static_cast<int>(document.HandlingRecords.size())) {
            return document.HandlingRecords[static_cast<std::size_t>(from)].value(field);
        }
        if (document.kind == DataFileKind::VehicleDefs &&
            from < static_cast<int>(document.VehicleDefRecords.size())) {
            return document.VehicleDefRecords[static_cast<std::size_t>(from)].value(field);
        }
        return std::nullopt;
    };
    std::vector<ValueAssignment> values;
    for (const int target : targets) {
        if (target == from || from < 0) {
            continue;
        }
        for (const int field : fields) {
            const std::optional<std::string_view> value = valueOf(field);
            // A value the line lacks is no value to give: it would leave
            // the other vehicle a gap that no save can write.
            if (value && !value->empty()) {
                values.push_back({target, field, std::string(*value)});
            }
        }
    }
    const int changed = values.empty() ? 0 : session_.setValues(values);
    emit noted(changed > 0 ? text(Text::ValuesCopied).arg(changed) : text(Text::NothingCopied));
    return changed;
}

void CompareView::addTargets(QMenu* menu, int from, const std::vector<int>& fields) {
    std::vector<int> others;
    for (const int record : model_->records()) {
        if (record != from) {
            others.push_back(record);
        }
    }
    QAction* all = menu->addAction(text(Text::CopyToAllOthers));
    all->setObjectName(QStringLiteral("copyToAll"));
    connect(all, &QAction::triggered, this,
            [this, from, fields, others] { copyValues(from, fields, others); });
    menu->addSeparator();
    for (const int record : others) {
        QAction* one = menu->addAction(menuSafe(model_->nameOf(record)));
        connect(one, &QAction::triggered, this,
                [this, from, fields, record] { copyValues(from, fields, {record}); });
    }
}

void CompareView::fillCopyMenu(QMenu* menu, const QModelIndex& cell) {
    menu->clear();
    qDeleteAll(menu->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly));
    const int row = cell.isValid() ? cell.row() : 0;
    const int from = model_->recordAt(cell.isValid() ? cell.column() : 0);
    const CompareRow* line = model_->rowAt(row);
    if (from < 0 || line == nullptr) {
        return;
    }
    const QString name = menuSafe(model_->nameOf(from));
    const QString group = line->group >= 0 ? model_->layout().groups.at(line->group) : QString();
    const struct {
        QString title;
        std::vector<int> fields;
        const char* objectName;
    } choices[] = {
        {text(Text::CopyValueOf).arg(menuSafe(line->caption), name),
         copiedFields(row, CopyScope::Value), "copyValueMenu"},
        {text(Text::CopyGroupOf).arg(menuSafe(group), name),
         group.isEmpty() ? std::vector<int>{} : copiedFields(row, CopyScope::Group),
         "copyGroupMenu"},
        {text(Text::CopyAllOf).arg(name), copiedFields(row, CopyScope::All), "copyAllMenu"},
    };
    for (const auto& choice : choices) {
        auto* sub = new QMenu(choice.title, menu);
        sub->setObjectName(QString::fromLatin1(choice.objectName));
        menu->addMenu(sub);
        sub->setEnabled(!choice.fields.empty() && model_->records().size() > 1);
        // Filled when opened: thousands of vehicles compared make long lists.
        connect(sub, &QMenu::aboutToShow, this, [this, sub, from, fields = choice.fields] {
            if (sub->isEmpty()) {
                addTargets(sub, from, fields);
            }
        });
    }
}

}  // namespace wendrake
