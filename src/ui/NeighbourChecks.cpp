// SPDX-License-Identifier: GPL-3.0-or-later
#include "NeighbourChecks.h"

#include <QDir>
#include <QFileInfo>

#include "files/DiskFiles.h"

namespace wendrake {

QString fileBeside(const QString& path, const QString& name) {
    const QFileInfo own(path);
    const QDir folder = own.absoluteDir();
    for (const QString& entry : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (entry.compare(name, Qt::CaseInsensitive) != 0) {
            continue;
        }
        const QString found = folder.filePath(entry);
        if (QFileInfo(found) != own) {
            return found;
        }
    }
    return {};
}

NeighbourChecks::NeighbourChecks(const DocumentSession& session, const LanguageTable& language,
                                 QObject* parent)
    : QObject(parent), session_(session), language_(language) {}

std::vector<const ErrorListEntry*> NeighbourChecks::rowsAbout(std::string_view name) const {
    std::vector<const ErrorListEntry*> found;
    if (rowsByName_.empty()) {
        return found;  // no copy of the name to look up, which may be huge
    }
    const auto [first, last] = rowsByName_.equal_range(std::string(name));
    for (auto it = first; it != last; ++it) {
        found.push_back(&rows_[it->second]);
    }
    return found;
}

void NeighbourChecks::applyLanguage() {
    if (!neighbourPath_.isEmpty()) {
        compare();
    }
}

void NeighbourChecks::followChange(const SessionChange& change) {
    if (change.has(Change::Opened) || change.has(Change::Closed) || change.has(Change::Path)) {
        readNeighbour();
        compare();
        return;
    }
    if (neighbourPath_.isEmpty()) {
        return;
    }
    // What the comparison reads: the handling names, the definitions'
    // handling IDs (their names) and types.
    const bool typeEdited =
        session_.kind() == DataFileKind::VehicleDefs && change.has(Change::Value) &&
        (change.field < 0 || change.field == static_cast<int>(VehicleDefField::Typ));
    if (change.has(Change::List) || change.has(Change::Reverted) || typeEdited) {
        compare();
    }
}

void NeighbourChecks::readNeighbour() {
    neighbourPath_.clear();
    neighbour_.close();
    if (!session_.isLoaded()) {
        return;
    }
    const QString own = QString::fromStdString(session_.path());
    DataFileKind kind = DataFileKind::Handling;
    QString path;
    switch (session_.kind()) {
        case DataFileKind::Handling:
            kind = DataFileKind::VehicleDefs;
            path = fileBeside(own, QStringLiteral("default.ide"));
            break;
        case DataFileKind::VehicleDefs:
            path = fileBeside(own, QStringLiteral("handling.cfg"));
            break;
        case DataFileKind::CarColours:
            return;
    }
    if (path.isEmpty()) {
        return;
    }
    DiskFiles files;
    OpenOptions options;
    options.repairOnDisk = false;
    options.snapshot = Snapshot::Skipped;
    const OpenOutcome opened =
        neighbour_.openFile(path.toStdString(), kind, files, language_, options);
    if (opened.status == OpenOutcome::Status::Opened && neighbour_.isLoaded()) {
        neighbourPath_ = path;
    } else {
        neighbour_.close();
    }
}

void NeighbourChecks::compare() {
    ErrorRows fresh;
    if (!neighbourPath_.isEmpty() && session_.isLoaded()) {
        const CrossFileTexts texts = CrossFileTexts::fromLanguage(language_);
        const bool handlingOpen = session_.kind() == DataFileKind::Handling;
        const EditorDocument& lines = handlingOpen ? session_.document() : neighbour_.document();
        const EditorDocument& definitions =
            handlingOpen ? neighbour_.document() : session_.document();
        fresh = definitionsWithoutLine(definitions.VehicleDefRecords,
                                       handlingNames(lines.HandlingRecords), texts);
        // Lines no definition uses are harmless, and while the definitions
        // are open they are lines of the other file, which the window cannot
        // show: only the handling file's window lists them.
        if (handlingOpen) {
            ErrorRows unused = linesWithoutDefinition(
                lines.HandlingRecords, usedHandlingIds(definitions.VehicleDefRecords), texts);
            fresh.insert(fresh.end(), std::make_move_iterator(unused.begin()),
                         std::make_move_iterator(unused.end()));
        }
    }
    if (fresh == rows_) {
        return;
    }
    rows_ = std::move(fresh);
    rowsByName_.clear();
    rowsByName_.reserve(rows_.size());
    for (std::size_t k = 0; k < rows_.size(); ++k) {
        rowsByName_.emplace(rows_[k].car(), k);
    }
    emit rowsChanged();
}

}  // namespace wendrake
