// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileCommands.h"

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
    : session_(session), desktop_(desktop), files_(desktop), language_(language) {}

QString FileCommands::text(int number) const {
    return languageText(language_, number);
}

int FileCommands::filterPositionFor(const QString& path) {
    // The first filter holds every kind.
    return kindFromFileName(path.toStdString()) ? 1 : 0;
}

FileCommands::OpenResult FileCommands::open() {
    if (!session_.isSaved() && !desktop_.askYesNo(text(Text::OpenUnsaved))) {
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
        notice = QStringLiteral("Error: Filetype unknown!");
        session_.close();
        return {OpenOutcome::Failed, path};
    }
    const wendrake::OpenOutcome opened =
        kind ? session_.openFile(path.toStdString(), *kind, files_, language_)
             : wendrake::OpenOutcome{wendrake::OpenOutcome::Status::Missing, {}, {}};
    switch (opened.status) {
        case wendrake::OpenOutcome::Status::Opened:
            return {OpenOutcome::Loaded, path};
        case wendrake::OpenOutcome::Status::Missing:
            // The loaded document stays loaded and saveable under its own path.
            notice = text(Text::FileMissing);
            return {OpenOutcome::Missing, path};
        case wendrake::OpenOutcome::Status::ReadFailed:
            notice = errorNotice(*opened.fileFailure);
            break;
        case wendrake::OpenOutcome::Status::Invalid:
            notice = readFailureNotice(*opened.readFailure);
            break;
    }
    return {OpenOutcome::Failed, path};
}

bool FileCommands::save() {
    if (!session_.isLoaded()) {
        return false;
    }
    if (!writeDocument(QString::fromStdString(session_.path()))) {
        return false;
    }
    desktop_.showInformation(text(Text::Saved));
    return true;
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
    if (!writeDocument(*target)) {
        return false;
    }
    desktop_.showInformation(text(Text::Saved));
    return true;
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

bool FileCommands::writeDocument(const QString& target) {
    SaveOptions options;
    options.backupFirst = backsUpFirst();
    options.layout = keepsLayout() ? SaveLayout::KeepFile : SaveLayout::Standard;
    const SaveOutcome saved = session_.saveTo(target.toStdString(), files_, options);
    const QString source = QString::fromStdString(session_.path());
    using Status = SaveOutcome::Status;
    switch (saved.status) {
        case Status::Saved:
            if (!saved.backupPath.empty()) {
                desktop_.showInformation(text(Text::BackupBeforeSave) + QStringLiteral("\n") +
                                         QString::fromStdString(saved.backupPath));
            }
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
            desktop_.showNotice(errorNotice(*saved.failure));
            return false;
        case Status::WriteFailed:
            desktop_.showNotice(errorNotice(*saved.failure) + QStringLiteral("\n") +
                                text(Text::WriteFailed));
            return false;
    }
    return false;
}

}  // namespace wendrake
