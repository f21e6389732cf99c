// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptedDesktop.h"

#include <QFileInfo>

namespace wendrake {

bool ScriptedDesktop::askYesNo(const QString& text) {
    messages.append({MessageKind::Question, text, busyDepth > 0});
    return answers.isEmpty() ? false : answers.dequeue();
}

int ScriptedDesktop::askChoice(const QString& text, const QStringList& offered) {
    messages.append({MessageKind::Question,
                     text + QLatin1Char('\n') + offered.join(QLatin1Char('|')), busyDepth > 0});
    return choices.isEmpty() ? -1 : choices.dequeue();
}

void ScriptedDesktop::showInformation(const QString& text) {
    messages.append({MessageKind::Information, text, busyDepth > 0});
}

void ScriptedDesktop::showStatus(const QString& text) {
    messages.append({MessageKind::Status, text, busyDepth > 0});
}

void ScriptedDesktop::showNotice(const QString& text) {
    messages.append({MessageKind::Notice, text, busyDepth > 0});
}

std::optional<OpenDialogChoice> ScriptedDesktop::chooseFileToOpen(
    const OpenDialogRequest& request) {
    openRequests.append(request);
    return openChoices.isEmpty() ? std::nullopt : openChoices.dequeue();
}

std::optional<QString> ScriptedDesktop::chooseFileToSave(const SaveDialogRequest& request) {
    saveRequests.append(request);
    return saveChoices.isEmpty() ? std::nullopt : saveChoices.dequeue();
}

std::optional<QColor> ScriptedDesktop::chooseColour(const QColor&, const QString&) {
    return colourChoices.isEmpty() ? std::nullopt : colourChoices.dequeue();
}

QString ScriptedDesktop::setting(const QString& section, const QString& key,
                                 const QString& fallback) {
    return settings.value(section + QLatin1Char('/') + key, fallback);
}

void ScriptedDesktop::setSetting(const QString& section, const QString& key, const QString& value) {
    settings.insert(section + QLatin1Char('/') + key, value);
}

void ScriptedDesktop::setBusy(bool busy) {
    busyDepth += busy ? 1 : -1;
}

bool ScriptedDesktop::fileExists(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

FileBytes ScriptedDesktop::readFile(const QString& path) {
    return readFileBytes(path);
}

FileResult ScriptedDesktop::writeFile(const QString& path, std::string_view bytes) {
    if (nextWriteFailure) {
        const FileResult failure = *nextWriteFailure;
        nextWriteFailure.reset();
        return failure;
    }
    return writeFileAtomically(path, bytes);
}

FileResult ScriptedDesktop::copyFile(const QString& from, const QString& to) {
    if (nextWriteFailure) {
        const FileResult failure = *nextWriteFailure;
        nextWriteFailure.reset();
        return failure;
    }
    return copyFileAtomically(from, to);
}

bool ScriptedDesktop::openDocument(const QString& path) {
    openedDocuments << path;
    return !noDocumentViewer;
}

QStringList ScriptedDesktop::texts(MessageKind kind) const {
    QStringList result;
    for (const Message& message : messages) {
        if (message.kind == kind) {
            result << message.text;
        }
    }
    return result;
}

}  // namespace wendrake
