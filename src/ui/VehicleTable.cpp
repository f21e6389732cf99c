// SPDX-License-Identifier: GPL-3.0-or-later
#include "VehicleTable.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScopedValueRollback>
#include <QStyledItemDelegate>
#include <algorithm>
#include <map>
#include <set>

#include "io/LanguageFiles.h"
#include "model/VehicleTable.h"
#include "ui/TabSeparatedText.h"
#include "ui/ValueEdit.h"

namespace wendrake {

namespace {

constexpr int kNarrowest = 64;
constexpr int kWidest = 220;
constexpr int kCaptionRoom = 28;
constexpr int kNameWidth = 130;
constexpr int kPairsWidth = 260;

// The columns of names, which are wider than their captions.
bool holdsNames(DataFileKind kind, int column) {
    switch (kind) {
        case DataFileKind::Handling:
            return column == static_cast<int>(HandlingField::Autoname);
        case DataFileKind::VehicleDefs:
            return column == static_cast<int>(VehicleDefField::ModelName) ||
                   column == static_cast<int>(VehicleDefField::TXDName) ||
                   column == static_cast<int>(VehicleDefField::HandlingID) ||
                   column == static_cast<int>(VehicleDefField::GameName);
        case DataFileKind::CarColours:
            return column == kColourModelColumn;
    }
    return false;
}

}  // namespace

// Edits a cell in a value box of the pages' kind: it leaves out the
// separators of the file and refuses what the file cannot hold.
class VehicleTableDelegate final : public QStyledItemDelegate {
  public:
    explicit VehicleTableDelegate(VehicleTable* table)
        : QStyledItemDelegate(table), table_(table) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                          const QModelIndex& index) const override {
        QLineEdit* box =
            valueEdit("tableCellEdit", table_->model_->separatorsOf(index.column()), parent);
        box->setFrame(false);
        box->setMaxLength(table_->model_->longestText(index.row(), index.column()));
        // Stored at every key, as the boxes of the pages store it, so that
        // the problems follow the typing and a save takes what is typed.
        // Pairs are stored when the cell is left: "1,2 3" on the way to
        // "1,2 3,4" is no pairs.
        if (!table_->model_->isPairsColumn(index.column())) {
            // Qt makes the editor in a const function; the signal is the delegate's own.
            auto* self = const_cast<VehicleTableDelegate*>(this);
            connect(box, &QLineEdit::textEdited, self, [self, box] { emit self->commitData(box); });
        }
        return box;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        static_cast<QLineEdit*>(editor)->setText(index.data(Qt::EditRole).toString());
    }

    void setModelData(QWidget* editor, QAbstractItemModel* /*model*/,
                      const QModelIndex& index) const override {
        const QString text = static_cast<QLineEdit*>(editor)->text();
        if (text != index.data(Qt::EditRole).toString() &&
            !table_->model_->setData(index, text, Qt::EditRole)) {
            table_->refused();
        }
    }

  private:
    VehicleTable* table_;
};

VehicleTable::VehicleTable(DocumentSession& session, Desktop& desktop, QWidget* parent)
    : QTableView(parent),
      session_(session),
      desktop_(desktop),
      model_(new VehicleTableModel(session, this)) {
    setObjectName(QStringLiteral("vehicleTable"));
    setModel(model_);
    setItemDelegate(new VehicleTableDelegate(this));
    setWordWrap(false);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    // Every row as high as the next: no row is measured.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    // No column is sorted until the player clicks one: the list order.
    horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    setSortingEnabled(true);

    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        fitColumns();
        showRecord(session_.selected());
    });
    connect(model_, &QAbstractItemModel::headerDataChanged, this, &VehicleTable::fitColumns);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &VehicleTable::currentRowChanged);
}

void VehicleTable::applyLanguage(const LanguageTable& language) {
    model_->applyLanguage(language);
    pastedText_ = languageText(language, Text::CellsPasted);
    refusedText_ = languageText(language, Text::PairsTextRefused);
    // Read out by the name of its menu item.
    QString name = languageText(language, Text::TableItem);
    name.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    name.replace(QStringLiteral("&&"), QStringLiteral("&"));
    for (QWidget* part : {static_cast<QWidget*>(this), static_cast<QWidget*>(horizontalHeader()),
                          static_cast<QWidget*>(verticalHeader())}) {
        part->setAccessibleName(name);
    }
}

void VehicleTable::setFilter(const QString& text) {
    model_->setFilter(text);
}

void VehicleTable::followChange(const SessionChange& change) {
    model_->followChange(change);
    // An undone or redone edit of one vehicle shows its row.
    if (change.has(Change::Restored) && change.record >= 0 &&
        change.has(Change::Value | Change::Pairs)) {
        showRecord(change.record);
    }
}

void VehicleTable::showRecord(int record, int column) {
    const int row = model_->rowOfRecord(record);
    if (row < 0) {
        return;
    }
    const QScopedValueRollback quiet(quiet_, true);
    if (column < 0 || column >= model_->columnCount()) {
        column = std::max(0, currentIndex().column());
    }
    setCurrentIndex(model_->index(row, column));
    scrollTo(currentIndex());
}

void VehicleTable::currentRowChanged(const QModelIndex& current) {
    const int record = model_->recordAt(current.row());
    if (!quiet_ && record >= 0) {
        emit vehicleChosen(record);
    }
}

void VehicleTable::fitColumns() {
    const QFontMetrics metrics = horizontalHeader()->fontMetrics();
    for (int column = 0; column < model_->columnCount(); ++column) {
        const QString caption = model_->headerData(column, Qt::Horizontal).toString();
        int width =
            std::clamp(metrics.horizontalAdvance(caption) + kCaptionRoom, kNarrowest, kWidest);
        if (model_->isPairsColumn(column)) {
            width = std::max(width, kPairsWidth);
        } else if (holdsNames(session_.kind(), column)) {
            width = std::max(width, kNameWidth);
        }
        setColumnWidth(column, width);
    }
}

void VehicleTable::refused() {
    desktop_.showStatus(refusedText_);
}

void VehicleTable::copySelection() {
    // Row by row in the order shown, each with its selected cells from the left.
    std::map<int, std::set<int>> cells;
    for (const QModelIndex& index : selectionModel()->selectedIndexes()) {
        cells[index.row()].insert(index.column());
    }
    if (cells.empty() && currentIndex().isValid()) {
        cells[currentIndex().row()].insert(currentIndex().column());
    }
    QList<QStringList> rows;
    for (const auto& [row, columns] : cells) {
        QStringList texts;
        for (const int column : columns) {
            texts << model_->cellText(row, column);
        }
        rows << texts;
    }
    if (!rows.isEmpty()) {
        QApplication::clipboard()->setText(writeTabSeparated(rows));
    }
}

void VehicleTable::pasteClipboard() {
    QModelIndex topLeft = currentIndex();
    if (!topLeft.isValid()) {
        return;
    }
    const QList<QStringList> cells = readTabSeparated(QApplication::clipboard()->text());
    if (cells.isEmpty()) {
        return;
    }
    const PasteCount count = model_->paste(topLeft, cells);
    desktop_.showStatus(pastedText_.arg(count.pasted).arg(count.refused));
}

void VehicleTable::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        copySelection();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        pasteClipboard();
        return;
    }
    QTableView::keyPressEvent(event);
}

}  // namespace wendrake
