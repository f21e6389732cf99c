// SPDX-License-Identifier: GPL-3.0-or-later
#include "CompareModel.h"

#include <QBrush>
#include <QByteArray>
#include <QGuiApplication>
#include <QPalette>

#include "io/LanguageFiles.h"
#include "model/Numeric.h"
#include "ui/ShownText.h"

namespace wendrake {

namespace {

// Light amber under dark text, readable with light and dark desktop themes.
const QColor kDifferingGround(255, 222, 140);
const QColor kDifferingText(Qt::black);

template <typename Record>
std::string fieldOf(const std::vector<Record>& records, int record, int field) {
    if (record < 0 || record >= static_cast<int>(records.size()) || field < 0 ||
        field >= static_cast<int>(records.front().values().size())) {
        return {};
    }
    return std::string(records[static_cast<std::size_t>(record)].value(field));
}

// A colour as the pages list it: its number, then its name when the
// palette has that colour.
std::string colourOf(const std::vector<ColourTableEntry>& palette, std::int16_t colour) {
    std::string text = std::to_string(colour);
    if (colour >= 0 && colour < static_cast<int>(palette.size()) &&
        !palette[static_cast<std::size_t>(colour)].Name.empty()) {
        text += ' ' + palette[static_cast<std::size_t>(colour)].Name;
    }
    return text;
}

std::string pairOf(const EditorDocument& document, int record, int pair) {
    const std::vector<CarColourRecord>& records = document.CarColourRecords;
    if (record < 0 || record >= static_cast<int>(records.size()) || pair < 0) {
        return {};
    }
    const CarColourRecord& model = records[static_cast<std::size_t>(record)];
    const auto at = static_cast<std::size_t>(pair);
    if (at >= model.Color1.size() || at >= model.Color2.size()) {
        return {};
    }
    return colourOf(document.ColourEntries, model.Color1[at]) + " - " +
           colourOf(document.ColourEntries, model.Color2[at]);
}

}  // namespace

bool sameValue(const std::string& a, const std::string& b) {
    if (a == b) {
        return true;
    }
    if (!isNumeric(a) || !isNumeric(b)) {
        return false;
    }
    // Read as the game reads numbers, whatever the desktop's locale.
    return QByteArray::fromStdString(a).toDouble() == QByteArray::fromStdString(b).toDouble();
}

CompareModel::CompareModel(const DocumentSession& session, QObject* parent)
    : QAbstractTableModel(parent), session_(session) {
    differingFont_.setBold(true);
    titleFont_.setBold(true);
}

void CompareModel::setTexts(const QString& differs, const QString& differsFrom) {
    differs_ = differs;
    differsFrom_ = differsFrom;
}

void CompareModel::compare(std::vector<int> records, CompareLayout layout) {
    beginResetModel();
    records_ = std::move(records);
    layout_ = std::move(layout);
    columnOf_.clear();
    for (std::size_t column = 0; column < records_.size(); ++column) {
        columnOf_.emplace(records_[column], static_cast<int>(column));
    }
    endResetModel();
}

void CompareModel::recordChanged(int record) {
    if (records_.empty() || layout_.rows.empty()) {
        return;
    }
    const auto found = columnOf_.find(record);
    if (record >= 0 && found == columnOf_.end()) {
        return;
    }
    // The first column is what the others are measured against.
    const bool all = record < 0 || found->second == 0;
    const int first = all ? 0 : found->second;
    const int last = all ? columnCount() - 1 : found->second;
    emit dataChanged(index(0, first), index(rowCount() - 1, last));
    emit headerDataChanged(Qt::Horizontal, first, last);
}

int CompareModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || records_.empty() ? 0 : static_cast<int>(layout_.rows.size());
}

int CompareModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(records_.size());
}

const CompareRow* CompareModel::rowAt(int row) const {
    if (row < 0 || row >= static_cast<int>(layout_.rows.size())) {
        return nullptr;
    }
    return &layout_.rows[static_cast<std::size_t>(row)];
}

int CompareModel::recordAt(int column) const {
    if (column < 0 || column >= columnCount()) {
        return -1;
    }
    return records_[static_cast<std::size_t>(column)];
}

std::string CompareModel::valueOf(int row, int record) const {
    const CompareRow* line = rowAt(row);
    if (line == nullptr || line->isTitle()) {
        return {};
    }
    const EditorDocument& document = session_.document();
    switch (document.kind) {
        case DataFileKind::Handling:
            return fieldOf(document.HandlingRecords, record, line->field);
        case DataFileKind::VehicleDefs:
            return fieldOf(document.VehicleDefRecords, record, line->field);
        case DataFileKind::CarColours:
            return pairOf(document, record, line->field);
    }
    return {};
}

bool CompareModel::differs(int row, int column) const {
    if (column <= 0 || column >= columnCount()) {
        return false;
    }
    const CompareRow* line = rowAt(row);
    return line != nullptr && !line->isTitle() &&
           !sameValue(valueOf(row, records_.front()), valueOf(row, recordAt(column)));
}

QString CompareModel::nameOf(int record) const {
    const VehicleList& list = session_.document().Autos;
    const int entry = list.entryOfRecord(record);
    return entry >= 0 ? shownText(list.at(entry)) : QString();
}

QVariant CompareModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) {
        return {};
    }
    const int row = index.row();
    const int column = index.column();
    switch (role) {
        case Qt::DisplayRole:
            return shownText(valueOf(row, recordAt(column)));
        case Qt::EditRole:
            return fromBytes(valueOf(row, recordAt(column)));
        case Qt::AccessibleTextRole: {
            const QString value = shownText(valueOf(row, recordAt(column)));
            return differs(row, column) ? value + QStringLiteral(", ") + differs_ : value;
        }
        case Qt::FontRole:
            return differs(row, column) ? QVariant(differingFont_) : QVariant();
        case Qt::BackgroundRole:
            if (rowAt(row)->isTitle()) {
                return QBrush(QGuiApplication::palette().color(QPalette::Window));
            }
            return differs(row, column) ? QVariant(QBrush(kDifferingGround)) : QVariant();
        case Qt::ForegroundRole:
            return differs(row, column) ? QVariant(QBrush(kDifferingText)) : QVariant();
        case Qt::ToolTipRole:
        case Qt::AccessibleDescriptionRole:
            return differs(row, column) ? QVariant(differsFrom_.arg(nameOf(records_.front())))
                                        : QVariant();
        default:
            return {};
    }
}

Qt::ItemFlags CompareModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    const CompareRow* line = rowAt(index.row());
    // A value too long to show whole is never edited from its cut text.
    if (line != nullptr && line->editable &&
        valueOf(index.row(), recordAt(index.column())).size() <= kLongestShownText) {
        flags |= Qt::ItemIsEditable;
    }
    return flags;
}

QVariant CompareModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal) {
        return role == Qt::DisplayRole ? QVariant(nameOf(recordAt(section))) : QVariant();
    }
    const CompareRow* line = rowAt(section);
    if (line == nullptr) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
            return line->caption;
        case Qt::FontRole:
            return line->isTitle() ? QVariant(titleFont_) : QVariant();
        default:
            return {};
    }
}

}  // namespace wendrake
