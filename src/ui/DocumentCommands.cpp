// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocumentCommands.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include "io/LanguageFiles.h"
#include "model/FileHeader.h"
#include "model/FileKinds.h"
#include "model/HandlingLine.h"
#include "ui/ShownText.h"

namespace wendrake {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

DocumentCommands::DocumentCommands(DocumentSession& session, Desktop& desktop,
                                   const LanguageTable& language, QString programFolder)
    : session_(session),
      desktop_(desktop),
      language_(language),
      programFolder_(std::move(programFolder)) {}

QString DocumentCommands::text(int number) const {
    return languageText(language_, number);
}

void DocumentCommands::backup() {
    if (!session_.isLoaded()) {
        return;
    }
    const QString source = QString::fromStdString(session_.path());
    const QString target = source + QStringLiteral(".backup");
    if (desktop_.fileExists(target) && !desktop_.askYesNo(text(Text::BackupExists))) {
        return;
    }
    // The copy is made from the disk, not from the tables: a backup holds
    // what the game would read now, unsaved edits not included.
    const FileResult copied = desktop_.copyFile(source, target);
    if (!copied.ok) {
        desktop_.showNotice(errorNotice(copied.code, copied.description) + kCrLf + target);
        return;
    }
    desktop_.showStatus(text(Text::BackupWritten) + QStringLiteral(" ") + target);
}

bool DocumentCommands::undo() {
    // Nothing to revert: no question.
    if (!session_.isLoaded() || session_.isSaved() ||
        !desktop_.askYesNo(text(Text::UndoQuestion))) {
        return false;
    }
    session_.revertToSaved();
    desktop_.showStatus(text(Text::Undone));
    return true;
}

bool DocumentCommands::importVehicles() {
    if (!session_.isLoaded() || session_.kind() != DataFileKind::Handling) {
        return false;
    }
    OpenDialogRequest request;
    request.title = text(Text::ImportDialogTitle);
    const FileKindInfo& handling = fileKindInfo(DataFileKind::Handling);
    request.filters = {
        {text(handling.fileTypeText),
         {QString::fromLatin1(handling.savePattern.data(),
                              static_cast<qsizetype>(handling.savePattern.size()))}}};
    const auto choice = desktop_.chooseFileToOpen(request);
    if (!choice) {
        return false;
    }
    FileBytes read;
    {
        BusyPointer busy(desktop_);
        if (desktop_.fileExists(choice->path)) {
            read = desktop_.readFile(choice->path);
        }
    }
    // Messages come after the busy pointer is gone.
    if (!desktop_.fileExists(choice->path)) {
        desktop_.showNotice(text(Text::FileMissing) + kCrLf + choice->path);
        return false;
    }
    if (!read.result.ok) {
        desktop_.showNotice(errorNotice(read.result.code, read.result.description) + kCrLf +
                            choice->path);
        return false;
    }
    ImportPolicy policy = ImportPolicy::KeepBoth;
    const std::vector<std::string> present = session_.namesAlreadyPresent(read.bytes);
    if (!present.empty()) {
        QStringList names;
        for (const std::string& name : present) {
            names << shownText(name);
        }
        const int answer =
            desktop_.askChoice(text(Text::NamesAlreadyPresent) + QStringLiteral("\n") +
                                   names.join(QStringLiteral(", ")),
                               {text(Text::ReplaceThem), text(Text::KeepBoth), text(Text::Cancel)});
        if (answer != 0 && answer != 1) {
            return false;
        }
        policy = answer == 0 ? ImportPolicy::Replace : ImportPolicy::KeepBoth;
    }
    ImportResult result;
    {
        BusyPointer busy(desktop_);
        result = session_.importVehicles(read.bytes, HandlingReadTexts::fromLanguage(language_),
                                         language_.text(Text::TooManyVehicles), policy);
    }
    if (result.failure) {
        desktop_.showNotice(readFailureNotice(*result.failure) + kCrLf + choice->path);
        return false;
    }
    desktop_.showStatus(text(Text::Imported));
    return true;
}

QString DocumentCommands::infoText() {
    const QStringList lines = {
        QStringLiteral("Wendrake V") + latin1(kProgramVersion),
        QString(),
        QStringLiteral("Wendrake — a vehicle data editor for Zerrin"),
        QStringLiteral("Contact: dev@wendrake.org"),
        latin1(kHomepage),
        QString(),
        QStringLiteral("Manual: the Wendrake developers"),
        QStringLiteral("Corrections: docs@wendrake.org"),
        QString(),
        QStringLiteral("Thanks to the Zerrin modding community for their help with the handling "
                       "flags"),
        QStringLiteral("Screenshots: the Wendrake developers"),
        QString(),
        QStringLiteral("English translation: the Wendrake developers"),
        QStringLiteral("German translation: the Wendrake developers"),
    };
    return lines.join(kCrLf);
}

void DocumentCommands::info() {
    desktop_.showInformation(infoText());
}

void DocumentCommands::help() {
    // Only the program's own folder: a manual lying in the current folder
    // belongs to something else. The language names its manual; where that
    // one is missing, the German one, which every install has, is better
    // than none.
    const QString named = QFileInfo(text(Text::ManualFile)).fileName();
    QString manual = programFolder_ + named;
    if (named.isEmpty() || !desktop_.fileExists(manual)) {
        manual = programFolder_ + QStringLiteral("Anleitung.htm");
    }
    if (!desktop_.fileExists(manual)) {
        desktop_.showNotice(text(Text::ManualMissing));
        return;
    }
    bool opened = false;
    {
        BusyPointer busy(desktop_);
        opened = desktop_.openDocument(manual);
    }
    if (!opened) {
        desktop_.showNotice(text(Text::ManualNotOpened) + QStringLiteral("\n") +
                            QDir::toNativeSeparators(manual));
    }
}

}  // namespace wendrake
