// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProblemMarks.h"

#include <algorithm>

#include <QKeySequence>

#include "io/LanguageFiles.h"
#include "model/Numeric.h"

namespace wendrake {

namespace {

// Puts `row` with the others of its control.
void addRow(std::vector<ProblemMarks::FieldRows>& fields, QWidget* control, int field,
            const ErrorListEntry* row) {
    if (control == nullptr) {
        return;
    }
    const auto found = std::find_if(fields.begin(), fields.end(),
                                    [control](const auto& f) { return f.control == control; });
    if (found != fields.end()) {
        found->rows.push_back(row);
    } else {
        fields.push_back({control, field, {row}});
    }
}

}  // namespace

ProblemMarks::ProblemMarks(DocumentSession& session, const NeighbourChecks& neighbours,
                           HandlingPages& handling, VehicleDefPages& definitions, QObject* parent)
    : QObject(parent),
      session_(session),
      neighbours_(neighbours),
      handling_(handling),
      definitions_(definitions) {}

void ProblemMarks::applyLanguage(const LanguageTable& language) {
    usePoint_ = languageText(language, Text::UsePoint);
    clickTakesIt_ = languageText(language, Text::ClickTakesIt);
    refresh();
}

void ProblemMarks::followChange(const SessionChange& change) {
    // A value typed can change the offer of a point without changing a row.
    const bool shownValue =
        change.has(Change::Value) && (change.record < 0 || change.record == session_.selected());
    if (shownValue || change.has(Change::Errors) || change.has(Change::Opened) ||
        change.has(Change::Closed)) {
        refresh();
    }
}

void ProblemMarks::refresh() {
    const int record = session_.selected();
    std::vector<FieldRows> fields;
    if (record >= 0 && session_.kind() == DataFileKind::Handling) {
        fields = handlingMarks(record);
    } else if (record >= 0 && session_.kind() == DataFileKind::VehicleDefs) {
        fields = definitionMarks(record);
    }
    std::vector<QWidget*> marked;
    for (const FieldRows& field : fields) {
        showMark(field.control, markOf(field, record));
        marked.push_back(field.control);
    }
    for (QWidget* control : marked_) {
        if (std::find(marked.begin(), marked.end(), control) == marked.end()) {
            showMark(control, std::nullopt);
        }
    }
    marked_ = std::move(marked);
}

// A row of the whole line (a wrong count of values, a name twice) marks the
// name's box.
std::vector<ProblemMarks::FieldRows> ProblemMarks::handlingMarks(int record) const {
    std::vector<FieldRows> fields;
    const auto add = [&](const ErrorListEntry* row) {
        const int field = row->field >= 0 ? row->field : 0;
        addRow(fields, handling_.editorOfField(field), field, row);
    };
    for (const ErrorListEntry* row : session_.rowsAbout(record)) {
        add(row);
    }
    const auto& records = session_.document().HandlingRecords;
    for (const ErrorListEntry* row :
         neighbours_.rowsAbout(records[static_cast<std::size_t>(record)].name())) {
        add(row);
    }
    return fields;
}

// The rows name a definition by its handling ID: a row of no one value
// marks that box.
std::vector<ProblemMarks::FieldRows> ProblemMarks::definitionMarks(int record) const {
    std::vector<FieldRows> fields;
    const auto add = [&](const ErrorListEntry* row) {
        const int field = row->field >= 0 && row->field < kVehicleDefFieldCount
                              ? row->field
                              : static_cast<int>(VehicleDefField::HandlingID);
        addRow(fields, definitions_.editorOfField(static_cast<VehicleDefField>(field)), field, row);
    };
    for (const ErrorListEntry* row : session_.rowsAbout(record)) {
        add(row);
    }
    const auto& records = session_.document().VehicleDefRecords;
    for (const ErrorListEntry* row :
         neighbours_.rowsAbout(records[static_cast<std::size_t>(record)].name())) {
        add(row);
    }
    return fields;
}

std::optional<ValueMark> ProblemMarks::markOf(const FieldRows& rows, int record) {
    ValueMark mark;
    QStringList lines;
    bool mustBeNumber = false;
    for (const ErrorListEntry* row : rows.rows) {
        if (row->severity == Severity::Error) {
            mark.severity = Severity::Error;
            mustBeNumber = mustBeNumber || (row->field == rows.field && row->field > 0);
        }
        const QString line = QString::fromStdString(row->error);
        if (!lines.contains(line)) {
            lines << line;
        }
    }
    mark.message = lines.join(QLatin1Char('\n'));
    if (mustBeNumber && session_.kind() == DataFileKind::Handling &&
        handlingFieldInfo(rows.field).check == ValueCheck::MustBeNumeric) {
        const std::string value(
            session_.document().HandlingRecords[static_cast<std::size_t>(record)].value(
                rows.field));
        if (const std::optional<std::string> pointed = withDecimalPoint(value)) {
            // Never changed unasked: the player takes the point, or types on.
            mark.message = usePoint_.arg(fromBytes(*pointed));
            mark.fixHint = clickTakesIt_.arg(fixKey().toString(QKeySequence::NativeText));
            mark.fix = [this, record, field = rows.field, point = *pointed] {
                takePoint(record, field, point);
            };
        }
    }
    return mark;
}

void ProblemMarks::takePoint(int record, int field, const std::string& pointed) {
    if (session_.selected() != record || session_.kind() != DataFileKind::Handling) {
        return;
    }
    // A step of its own, not one with the typing before it: undo gives back
    // the comma.
    session_.setValues({{record, field, pointed}});
    // The box shows what the record now holds.
    handling_.showCurrentRecord();
}

}  // namespace wendrake
