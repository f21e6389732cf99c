// SPDX-License-Identifier: GPL-3.0-or-later
#include "VehicleTableModel.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <algorithm>

#include "io/LanguageFiles.h"
#include "model/ColourEditing.h"
#include "model/VehicleTable.h"
#include "ui/ShownText.h"
#include "ui/StorableText.h"
#include "ui/TableCaptions.h"
#include "ui/ValueEdit.h"
#include "ui/ValueMark.h"
#include "ui/VehicleListModel.h"

namespace wendrake {

namespace {

// The game keeps 14 characters of a handling name.
constexpr std::size_t kNameLength = 14;
// What a text box takes unless told otherwise.
constexpr int kBoxLength = 32767;

std::size_t at(int index) {
    return static_cast<std::size_t>(index);
}

template <typename Record>
bool fieldDiffers(const std::vector<Record>& records, const std::vector<Record>& snapshot,
                  int record, int column) {
    if (at(record) >= records.size()) {
        return false;
    }
    if (at(record) >= snapshot.size()) {
        return true;  // added since
    }
    return records[at(record)].value(column) != snapshot[at(record)].value(column);
}

}  // namespace

VehicleTableModel::VehicleTableModel(DocumentSession& session, QObject* parent)
    : QAbstractTableModel(parent), session_(session) {
    changedFont_.setBold(true);
}

int VehicleTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(records_.size());
}

int VehicleTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || !loaded_ ? 0 : vehicleTableColumnCount(kind_);
}

int VehicleTableModel::recordAt(int row) const {
    return row >= 0 && at(row) < records_.size() ? records_[at(row)] : -1;
}

int VehicleTableModel::rowOfRecord(int record) const {
    return record >= 0 && at(record) < rowOfRecord_.size() ? rowOfRecord_[at(record)] : -1;
}

QString VehicleTableModel::cellText(int row, int column) const {
    return fromBytes(vehicleTableCell(session_.document(), recordAt(row), column));
}

bool VehicleTableModel::sameText(int row, int column, const QString& text) const {
    std::string made;
    const std::string_view cell =
        vehicleTableCellView(session_.document(), recordAt(row), column, made);
    return static_cast<qsizetype>(cell.size()) == text.size() &&
           QString::fromLatin1(cell.data(), static_cast<qsizetype>(cell.size())) == text;
}

bool VehicleTableModel::cellChanged(int record, int column) const {
    const EditorDocument& document = session_.document();
    switch (kind_) {
        case DataFileKind::Handling:
            return fieldDiffers(document.HandlingRecords, document.HandlingSnapshot, record,
                                column);
        case DataFileKind::VehicleDefs:
            return fieldDiffers(document.VehicleDefRecords, document.VehicleDefSnapshot, record,
                                column);
        case DataFileKind::CarColours: {
            if (at(record) >= document.CarColourRecords.size()) {
                return false;
            }
            if (at(record) >= document.CarColourSnapshot.size()) {
                return true;
            }
            const CarColourRecord& now = document.CarColourRecords[at(record)];
            const CarColourRecord& saved = document.CarColourSnapshot[at(record)];
            return column == kColourModelColumn
                       ? now.ModelName != saved.ModelName
                       : now.Color1 != saved.Color1 || now.Color2 != saved.Color2;
        }
    }
    return false;
}

QVariant VehicleTableModel::data(const QModelIndex& index, int role) const {
    const int record = recordAt(index.row());
    if (record < 0 || index.column() < 0 || index.column() >= columnCount() ||
        session_.kind() != kind_) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole: {
            std::string made;
            return shownText(
                vehicleTableCellView(session_.document(), record, index.column(), made));
        }
        case Qt::FontRole:
            return cellChanged(record, index.column()) ? QVariant(changedFont_) : QVariant();
        case Qt::BackgroundRole:
            if (const ErrorListEntry* problem = problemAt(record, index.column())) {
                return tinted(QGuiApplication::palette().color(QPalette::Base), problem->severity);
            }
            return {};
        case Qt::DecorationRole:
            if (const ErrorListEntry* problem = problemAt(record, index.column())) {
                return QApplication::style()->standardIcon(problem->severity == Severity::Error
                                                               ? QStyle::SP_MessageBoxCritical
                                                               : QStyle::SP_MessageBoxWarning);
            }
            return {};
        case Qt::ToolTipRole:
        case Qt::AccessibleDescriptionRole:
            if (const ErrorListEntry* problem = problemAt(record, index.column())) {
                return QString::fromStdString(problem->error);
            }
            return {};
        default:
            return {};
    }
}

const ErrorListEntry* VehicleTableModel::problemAt(int record, int column) const {
    if (record != problemsRecord_) {
        problemsRecord_ = record;
        problems_.clear();
        for (const ErrorListEntry* row : session_.rowsAbout(record)) {
            // A row about the whole line marks the name; the colour file's
            // rows are about a model's pairs.
            const int at = kind_ == DataFileKind::CarColours ? kColourPairsColumn
                           : row->field >= 0                 ? row->field
                                                             : 0;
            problems_.emplace_back(at, row);
        }
    }
    const ErrorListEntry* found = nullptr;
    for (const auto& [at, row] : problems_) {
        if (at == column && (found == nullptr || row->severity == Severity::Error)) {
            found = row;
        }
    }
    return found;
}

QVariant VehicleTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Vertical) {
        return section + 1;
    }
    const QStringList& captions = captions_[at(static_cast<int>(kind_))];
    return section >= 0 && section < captions.size() ? QVariant(captions[section]) : QVariant();
}

bool VehicleTableModel::editable(int row, int column) const {
    const int record = recordAt(row);
    if (record < 0 || column < 0 || column >= columnCount() ||
        (kind_ == DataFileKind::CarColours && column == kColourModelColumn)) {
        return false;
    }
    // A value too long to show whole is never stored cut, as in the boxes.
    std::string made;
    return vehicleTableCellView(session_.document(), record, column, made).size() <=
           kLongestShownText;
}

Qt::ItemFlags VehicleTableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && editable(index.row(), index.column())) {
        flags |= Qt::ItemIsEditable;
    }
    return flags;
}

bool VehicleTableModel::isPairsColumn(int column) const {
    return kind_ == DataFileKind::CarColours && column == kColourPairsColumn;
}

QString VehicleTableModel::separatorsOf(int column) const {
    switch (kind_) {
        case DataFileKind::Handling:
            return kHandlingSeparators;
        case DataFileKind::VehicleDefs:
            return kVehicleDefSeparators;
        case DataFileKind::CarColours:
            // Blanks and commas are what the pairs are written with.
            return column == kColourPairsColumn ? QStringLiteral("\t") : QString();
    }
    return {};
}

int VehicleTableModel::longestText(int row, int column) const {
    if (kind_ != DataFileKind::Handling || column != static_cast<int>(HandlingField::Autoname)) {
        return kBoxLength;
    }
    std::string made;
    const std::size_t present =
        vehicleTableCellView(session_.document(), recordAt(row), column, made).size();
    return static_cast<int>(std::max(kNameLength, present));
}

bool VehicleTableModel::canHold(int row, int column, const QString& text) const {
    if (column < 0 || column >= columnCount() || text.size() > longestText(row, column) ||
        (kind_ == DataFileKind::CarColours && column == kColourModelColumn)) {
        return false;
    }
    const QString separators = separatorsOf(column);
    for (const QChar c : text) {
        if (!isStorableCharacter(c) || separators.contains(c)) {
            return false;
        }
    }
    if (kind_ == DataFileKind::CarColours) {
        return readPairsText(toBytes(text)).has_value();
    }
    return true;
}

bool VehicleTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    const int record = recordAt(index.row());
    const QString text = value.toString();
    if (role != Qt::EditRole || !editable(index.row(), index.column()) ||
        !canHold(index.row(), index.column(), text) || session_.kind() != kind_) {
        return false;
    }
    switch (kind_) {
        case DataFileKind::Handling:
            return session_.setHandlingValue(record, static_cast<HandlingField>(index.column()),
                                             toBytes(text));
        case DataFileKind::VehicleDefs:
            return session_.setVehicleDefValue(record, static_cast<VehicleDefField>(index.column()),
                                               toBytes(text));
        case DataFileKind::CarColours: {
            ColourPairs pairs = *readPairsText(toBytes(text));
            session_.setPairs(
                {PairsAssignment{record, std::move(pairs.first), std::move(pairs.second)}});
            return true;
        }
    }
    return false;
}

PasteCount VehicleTableModel::paste(const QModelIndex& topLeft, const QList<QStringList>& cells) {
    PasteCount count;
    if (!topLeft.isValid() || session_.kind() != kind_) {
        return count;
    }
    std::vector<ValueAssignment> values;
    std::vector<PairsAssignment> pairs;
    for (int line = 0; line < cells.size(); ++line) {
        const int row = topLeft.row() + line;
        if (row >= rowCount()) {
            break;
        }
        const QStringList& pasted = cells[line];
        for (int k = 0; k < pasted.size() && topLeft.column() + k < columnCount(); ++k) {
            const int column = topLeft.column() + k;
            // Blanks around a cell, as some spreadsheets copy them, are no
            // part of the value; blanks within it are refused as in a box.
            const QString text = pasted[k].trimmed();
            // A cell that already holds the text is pasted, even where no
            // other text could be, so that whole rows copied from the table
            // paste back.
            if (sameText(row, column, text)) {
                ++count.pasted;
                continue;
            }
            if (!editable(row, column) || !canHold(row, column, text)) {
                ++count.refused;
                continue;
            }
            ++count.pasted;
            if (kind_ == DataFileKind::CarColours) {
                ColourPairs read = *readPairsText(toBytes(text));
                pairs.push_back(
                    PairsAssignment{recordAt(row), std::move(read.first), std::move(read.second)});
            } else {
                values.push_back(ValueAssignment{recordAt(row), column, toBytes(text)});
            }
        }
    }
    if (!values.empty()) {
        session_.setValues(values);
    }
    if (!pairs.empty()) {
        session_.setPairs(pairs);
    }
    return count;
}

void VehicleTableModel::applyLanguage(const LanguageTable& language) {
    for (const DataFileKind kind :
         {DataFileKind::Handling, DataFileKind::VehicleDefs, DataFileKind::CarColours}) {
        captions_[at(static_cast<int>(kind))] = tableCaptions(kind, language);
    }
    if (columnCount() > 0) {
        emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    }
}

void VehicleTableModel::setFilter(const QString& text) {
    if (text == filter_) {
        return;
    }
    filter_ = text;
    rebuild();
}

void VehicleTableModel::followChange(const SessionChange& change) {
    // The rows may have moved: none is kept by pointer across a change.
    problemsRecord_ = -1;
    problems_.clear();
    const bool wholeTables = change.has(Change::Opened) || change.has(Change::Closed) ||
                             change.has(Change::Reverted) ||
                             (change.has(Change::List) && change.record < 0);
    if (wholeTables) {
        rebuild();
        return;
    }
    // A value, a rename or a save: the row keeps its place, as a renamed
    // vehicle keeps its place in the list, until the next sort or filter.
    const bool values = change.has(Change::Value | Change::Pairs | Change::List);
    if (rowCount() == 0 || columnCount() == 0) {
        return;
    }
    // New problem rows may be about any vehicle (a name now repeated).
    if (change.has(Change::SavedState | Change::Errors) || (values && change.record < 0)) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    } else if (values) {
        if (const int row = rowOfRecord(change.record); row >= 0) {
            emit dataChanged(index(row, 0), index(row, columnCount() - 1));
        }
    }
}

void VehicleTableModel::indexRows() {
    const VehicleList& list = session_.document().Autos;
    rowOfRecord_.assign(at(list.size()), -1);
    for (std::size_t row = 0; row < records_.size(); ++row) {
        if (const int record = records_[row]; record >= 0 && at(record) < rowOfRecord_.size()) {
            rowOfRecord_[at(record)] = static_cast<int>(row);
        }
    }
}

void VehicleTableModel::sortRows() {
    const VehicleList& list = session_.document().Autos;
    if (sortColumn_ < 0) {
        // The list order: entries are kept in it.
        std::vector<int> entries;
        entries.reserve(records_.size());
        for (const int record : records_) {
            entries.push_back(list.entryOfRecord(record));
        }
        std::sort(entries.begin(), entries.end());
        for (std::size_t row = 0; row < entries.size(); ++row) {
            records_[row] = list.recordAt(entries[row]);
        }
        return;
    }
    sortTableRecords(records_, session_.document(), sortColumn_, sortOrder_ == Qt::DescendingOrder);
}

void VehicleTableModel::rebuild() {
    beginResetModel();
    loaded_ = session_.isLoaded();
    kind_ = session_.kind();
    records_.clear();
    if (loaded_) {
        const VehicleList& list = session_.document().Autos;
        records_ = entriesMatching(filter_, list);
        for (int& entry : records_) {
            entry = list.recordAt(entry);
        }
        if (sortColumn_ >= vehicleTableColumnCount(kind_)) {
            sortColumn_ = -1;
        }
        if (sortColumn_ >= 0) {
            sortRows();
        }
    }
    indexRows();
    endResetModel();
}

void VehicleTableModel::sort(int column, Qt::SortOrder order) {
    sortColumn_ = column >= 0 && column < columnCount() ? column : -1;
    sortOrder_ = order;
    if (records_.empty()) {
        return;
    }
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // The selection and the current cell stay on their vehicles.
    const QModelIndexList before = persistentIndexList();
    std::vector<int> recordsBefore;
    recordsBefore.reserve(static_cast<std::size_t>(before.size()));
    for (const QModelIndex& index : before) {
        recordsBefore.push_back(recordAt(index.row()));
    }
    sortRows();
    indexRows();
    QModelIndexList after;
    after.reserve(before.size());
    for (qsizetype k = 0; k < before.size(); ++k) {
        const int row = rowOfRecord(recordsBefore[static_cast<std::size_t>(k)]);
        after << (row >= 0 ? index(row, before[k].column()) : QModelIndex());
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

}  // namespace wendrake
