// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileCommands.h"

#include <QFileInfo>
#include <algorithm>
#include <array>

#include "io/LanguageFiles.h"
#include "model/FileKinds.h"
#include "model/HandlingRecord.h"
#include "model/VehicleDefRecord.h"
#include "ui/ShownText.h"

namespace wendrake {

namespace {

const QString kSettings = QStringLiteral("Settings");
const QString kFileIndex = QStringLiteral("FileIndex");
const QString kOpenPath = QStringLiteral("OpenPath");
const QString kBackupFirst = QStringLiteral("BackupBeforeFirstSave");
const QString kKeepLayout = QStringLiteral("KeepLayout");

QString latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// The captions of the vehicle definition values, in field order.
constexpr std::array<int, kVehicleDefFieldCount> kVehicleDefCaptions{125, 129, 131, 135, 127, 133,
                                                                     137, 139, 141, 143, 145, 148};

// "vehicle: field caption", naming a value for the player.
QString missingValueName(const EditorDocument& document, const MissingValue& missing,
                         const LanguageTable& language) {
    const auto record = static_cast<std::size_t>(missing.record);
    const auto field = static_cast<std::size_t>(missing.field);
    std::string name;
    int caption = -1;
    if (document.kind == DataFileKind::Handling && record < document.HandlingRecords.size()) {
        name = document.HandlingRecords[record].name();
        caption = handlingFieldInfo(missing.field).captionText;
    } else if (document.kind == DataFileKind::VehicleDefs &&
               record < document.VehicleDefRecords.size() && field < kVehicleDefCaptions.size()) {
        name = document.VehicleDefRecords[record].name();
        caption = kVehicleDefCaptions[field];
    }
    QString shownName = shownText(name);
    if (shownName.isEmpty()) {
        shownName = QStringLiteral("#%1").arg(missing.record + 1);
    }
    return shownName + QStringLiteral(": ") + languageText(language, caption);
}

}  // namespace

FileCommands::FileCommands(DocumentSession& session, Desktop& desktop,
                           const LanguageTable& language)
    : session_(session),
      desktop_(desktop),
      files_(desktop),
      language_(language),
      recent_(desktop) {}

QString FileCommands::text(int number) const {
    return languageText(language_, number);
}

int FileCommands::filterPositionFor(const QString& path) {
    // The first filter holds every kind.
    return kindFromFileName(path.toStdString()) ? 1 : 0;
}

bool FileCommands::offerToSave() {
    if (session_.isSaved() || !session_.isLoaded()) {
        return true;
    }
    const QString name = QFileInfo(QString::fromStdString(session_.path())).fileName();
    const int answer =
        desktop_.askChoice(text(Text::SaveChangesQuestion).arg(name),
                           {text(Text::SaveButton), text(Text::Discard), text(Text::Cancel)});
    switch (answer) {
        case 0:
            return save();
        case 1:
            return true;
        default:
            return false;
    }
}

FileCommands::OpenResult FileCommands::openRecent(const QString& path) {
    if (!desktop_.fileExists(path)) {
        recent_.remove(path);
        desktop_.showNotice(text(Text::FileMissing) + QStringLiteral("\n") + path);
        return {OpenOutcome::Missing, path};
    }
    if (!offerToSave()) {
        return {};
    }
    return openChosen(path, filterPositionFor(path));
}

FileCommands::OpenResult FileCommands::open() {
    if (!offerToSave()) {
        return {};
    }
    OpenDialogRequest request;
    request.title = text(Text::OpenDialogTitle);
    // All kinds first: the kind comes from the chosen file's name, so the
    // player need not pick the right filter.
    FileFilter all{text(Text::AllSupportedFiles), {}};
    for (const FileKindInfo& kind : fileKinds()) {
        QStringList patterns;
        for (const std::string_view pattern : kind.openPatterns) {
            patterns << latin1(pattern);
        }
        all.patterns << patterns;
        request.filters.append({text(kind.fileTypeText), patterns});
    }
    request.filters.prepend(all);
    request.initialFilter = desktop_.setting(kSettings, kFileIndex, QStringLiteral("0")).toInt();
    const QString remembered = desktop_.setting(kSettings, kOpenPath);
    if (!remembered.isEmpty() && desktop_.fileExists(remembered)) {
        request.initialFile = remembered;
    }
    const auto choice = desktop_.chooseFileToOpen(request);
    if (!choice) {
        return {};
    }
    return openChosen(choice->path, choice->filterPosition);
}

FileCommands::OpenResult FileCommands::openChosen(const QString& path, int filterPosition) {
    QString notice;
    OpenResult result;
    {
        BusyPointer busy(desktop_);
        result = loadChosen(path, filterPosition, notice);
    }
    // Messages come after the busy pointer is gone.
    if (!notice.isEmpty()) {
        desktop_.showNotice(notice);
    }
    return result;
}

FileCommands::OpenResult FileCommands::loadChosen(const QString& path, int filterPosition,
                                                  QString& notice) {
    desktop_.setSetting(kSettings, kOpenPath, path);
    desktop_.setSetting(kSettings, kFileIndex, QString::number(filterPosition));

    // The name decides the kind, whichever filter the dialog showed.
    const auto kind = kindFromFileName(path.toStdString());
    if (!kind && desktop_.fileExists(path)) {
        notice = QStringLiteral("Error: Filetype unknown!\n") + path;
        session_.close();
        return {OpenOutcome::Failed, path};
    }
    OpenOptions options;
    options.backupFirst = backsUpFirst();
    wendrake::OpenOutcome opened;
    if (kind) {
        opened = session_.openFile(path.toStdString(), *kind, files_, language_, options);
    } else {
        opened.status = wendrake::OpenOutcome::Status::Missing;
    }
    switch (opened.status) {
        case wendrake::OpenOutcome::Status::Opened:
            recent_.add(path);
            if (!opened.backupPath.empty()) {
                // The line ends were repaired on disk, after this backup.
                desktop_.showStatus(text(60) + QLatin1Char(' ') +
                                    QString::fromStdString(opened.backupPath));
            }
            return {OpenOutcome::Loaded, path};
        case wendrake::OpenOutcome::Status::Missing:
            // The loaded document stays loaded and saveable under its own path.
            recent_.remove(path);
            notice = text(Text::FileMissing) + QStringLiteral("\n") + path;
            return {OpenOutcome::Missing, path};
        case wendrake::OpenOutcome::Status::ReadFailed:
            notice = errorNotice(*opened.fileFailure) + QStringLiteral("\n") + path;
            break;
        case wendrake::OpenOutcome::Status::Invalid:
            notice = readFailureNotice(*opened.readFailure) + QStringLiteral("\n") + path;
            break;
    }
    return {OpenOutcome::Failed, path};
}

bool FileCommands::save() {
    if (!session_.isLoaded()) {
        return false;
    }
    return writeDocument(QString::fromStdString(session_.path()));
}

bool FileCommands::saveAs() {
    if (!session_.isLoaded()) {
        return false;
    }
    SaveDialogRequest request;
    request.title = text(119).remove(QLatin1Char('&'));
    request.initialFile = QString::fromStdString(session_.path());
    const FileKindInfo& kind = fileKindInfo(session_.kind());
    request.filters = {{text(kind.fileTypeText), {latin1(kind.savePattern)}}};
    auto target = desktop_.chooseFileToSave(request);
    if (!target) {
        return false;
    }
    // A name without the kind's ending would not open again as this kind.
    if (kindFromFileName(target->toStdString()) != session_.kind()) {
        *target += latin1(kind.ending);
    }
    return writeDocument(*target);
}

bool FileCommands::keepsLayout() const {
    return desktop_.setting(kSettings, kKeepLayout, QStringLiteral("0")) == QLatin1String("1");
}

void FileCommands::setKeepsLayout(bool keep) {
    desktop_.setSetting(kSettings, kKeepLayout, keep ? QStringLiteral("1") : QStringLiteral("0"));
}

bool FileCommands::backsUpFirst() const {
    return desktop_.setting(kSettings, kBackupFirst, QStringLiteral("1")) != QLatin1String("0");
}

void FileCommands::setBacksUpFirst(bool backup) {
    desktop_.setSetting(kSettings, kBackupFirst,
                        backup ? QStringLiteral("1") : QStringLiteral("0"));
}

QString FileCommands::savedNote(const SaveOutcome& saved) const {
    QString note = text(Text::Saved);
    // A save writes every value as typed; a value the game may not read is
    // the player's to mend, so the note says that some remain.
    const ErrorRows& rows = session_.document().Errors;
    const auto errors = std::count_if(rows.begin(), rows.end(), [](const ErrorListEntry& row) {
        return row.severity == Severity::Error;
    });
    if (errors > 0) {
        note += QStringLiteral(" ") + text(Text::SavedWithErrors).arg(errors);
    }
    // The path last: nothing reads as a part of it.
    if (!saved.backupPath.empty()) {
        note += QStringLiteral(" ") + text(Text::BackupBeforeSave) + QStringLiteral(" ") +
                QString::fromStdString(saved.backupPath);
    }
    return note;
}

bool FileCommands::writeDocument(const QString& target) {
    SaveOptions options;
    options.backupFirst = backsUpFirst();
    options.layout = keepsLayout() ? SaveLayout::KeepFile : SaveLayout::Standard;
    const SaveOutcome saved = session_.saveTo(target.toStdString(), files_, options);
    const QString source = QString::fromStdString(session_.path());
    using Status = SaveOutcome::Status;
    switch (saved.status) {
        case Status::Saved:
            recent_.add(target);
            // One note: a second would replace the first at once.
            desktop_.showStatus(savedNote(saved));
            return true;
        case Status::NotLoaded:
            return false;
        case Status::MissingValue:
            desktop_.showNotice(text(Text::EmptyValue) + QStringLiteral("\n") +
                                missingValueName(session_.document(), saved.missing, language_));
            return false;
        case Status::SourceMissing:
            desktop_.showNotice(text(Text::FileMissing) + QStringLiteral("\n") + source);
            return false;
        case Status::ReadFailed:
        case Status::BackupFailed:
            desktop_.showNotice(errorNotice(*saved.failure) + QStringLiteral("\n") + source);
            return false;
        case Status::WriteFailed:
            desktop_.showNotice(errorNotice(*saved.failure) + QStringLiteral("\n") + target +
                                QStringLiteral("\n") + text(Text::WriteFailed));
            return false;
    }
    return false;
}

}  // namespace wendrake
