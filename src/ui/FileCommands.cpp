#include "FileCommands.h"

#include "model/DocumentFiles.h"
#include "io/LanguageFiles.h"

namespace wendrake {

namespace {

const QString kSettings = QStringLiteral("Settings");
const QString kFileIndex = QStringLiteral("FileIndex");
const QString kOpenPath = QStringLiteral("OpenPath");

QString filePath(const EditorDocument& document) {
    return QString::fromStdString(document.FilePath);
}

}  // namespace

FileCommands::FileCommands(EditorDocument& document, Desktop& desktop,
                           const LanguageTable& language)
    : document_(document), desktop_(desktop), language_(language) {}

QString FileCommands::text(int number) const {
    return languageText(language_, number);
}

int FileCommands::filterPositionFor(const QString& path) {
    const auto kind = kindFromFileName(path.toStdString());
    return kind ? filterPositionOf(*kind) : 0;
}

FileCommands::OpenResult FileCommands::open() {
    if (!document_.SavedFlag && !desktop_.askYesNo(text(Text::OpenUnsaved))) {
        return {};
    }
    OpenDialogRequest request;
    request.title = text(Text::OpenDialogTitle);
    request.filters = {
        {text(Text::HandlingFileType), {QStringLiteral("*.cfg"), QStringLiteral("*.cfg.backup")}},
        {text(Text::VehicleDefFileType), {QStringLiteral("*.ide"), QStringLiteral("*.ide.backup")}},
        {text(Text::CarColourFileType), {QStringLiteral("*.dat"), QStringLiteral("*.dat.backup")}},
    };
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

    if (!desktop_.fileExists(path)) {
        // The loaded document stays loaded and saveable under its own path.
        notice = text(Text::FileMissing);
        return {OpenOutcome::Missing, path};
    }
    const auto kind = kindFromFileNameAndFilter(path.toStdString(), filterPosition);
    if (!kind) {
        notice = QStringLiteral("Error: Filetype unknown!");
        return failOpen(path);
    }
    FileBytes read = desktop_.readFile(path);
    if (!read.result.ok) {
        notice = errorNotice(read.result.code, read.result.description);
        return failOpen(path);
    }
    if (needsLineEndRepair(read.bytes)) {
        read.bytes = repairLineEnds(read.bytes);
        // A file that cannot be written (read-only) still opens from the
        // repaired text; the file on disk then stays as it was.
        desktop_.writeFile(path, read.bytes);
    }
    if (const auto failure = loadIntoDocument(document_, *kind, read.bytes, language_)) {
        notice = readFailureNotice(*failure);
        return failOpen(path);
    }
    document_.FilePath = path.toStdString();
    document_.SavedFlag = true;
    return {OpenOutcome::Loaded, path};
}

FileCommands::OpenResult FileCommands::failOpen(const QString& path) {
    document_.FilePath.clear();
    document_.SavedFlag = true;
    document_.Autos.clear();
    return {OpenOutcome::Failed, path};
}

bool FileCommands::save() {
    if (!document_.isLoaded()) {
        return false;
    }
    if (!writeDocument(filePath(document_))) {
        return false;
    }
    desktop_.showInformation(text(Text::Saved));
    return true;
}

bool FileCommands::saveAs() {
    if (!document_.isLoaded()) {
        return false;
    }
    SaveDialogRequest request;
    request.title = text(119).remove(QLatin1Char('&'));
    request.initialFile = filePath(document_);
    switch (document_.kind) {
        case DataFileKind::Handling:
            request.filters = {{text(Text::HandlingFileType), {QStringLiteral("*.cfg")}}};
            break;
        case DataFileKind::VehicleDefs:
            request.filters = {{text(Text::VehicleDefFileType), {QStringLiteral("*.ide")}}};
            break;
        case DataFileKind::CarColours:
            request.filters = {{text(Text::CarColourFileType), {QStringLiteral("*.dat")}}};
            break;
    }
    const auto target = desktop_.chooseFileToSave(request);
    if (!target) {
        return false;
    }
    if (!writeDocument(*target)) {
        return false;
    }
    document_.FilePath = target->toStdString();
    desktop_.showInformation(text(Text::Saved));
    return true;
}

bool FileCommands::writeDocument(const QString& target) {
    const QString source = filePath(document_);
    // The text is built from the file on disk: without it there are no
    // comment lines to keep, and writing would lose them.
    if (!desktop_.fileExists(source)) {
        desktop_.showNotice(text(Text::FileMissing) + QStringLiteral("\n") + source);
        return false;
    }
    const FileBytes disk = desktop_.readFile(source);
    if (!disk.result.ok) {
        desktop_.showNotice(errorNotice(disk.result.code, disk.result.description));
        return false;
    }
    const FileResult written = desktop_.writeFile(target, buildSaveText(document_, disk.bytes));
    if (!written.ok) {
        desktop_.showNotice(errorNotice(written.code, written.description) + QStringLiteral("\n") +
                            text(Text::WriteFailed));
        return false;
    }
    commitSnapshot(document_);
    document_.SavedFlag = true;
    return true;
}

}  // namespace wendrake
