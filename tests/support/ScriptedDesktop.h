// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QMap>
#include <QQueue>
#include <QStringList>

#include "ui/Desktop.h"

namespace wendrake {

// A desktop that answers from prepared queues and records what the program
// showed. Files are real; a write can be made to fail.
class ScriptedDesktop final : public Desktop {
  public:
    enum class MessageKind { Question, Information, Status, Notice };
    struct Message {
        MessageKind kind;
        QString text;
        bool whileBusy = false;
    };

    QQueue<bool> answers;  // for questions; empty queue answers No
    QQueue<int> choices;   // for questions with several choices; empty queue closes them (-1)
    QQueue<std::optional<OpenDialogChoice>> openChoices;  // nullopt = cancel
    QQueue<std::optional<QString>> saveChoices;
    QQueue<std::optional<QColor>> colourChoices;  // nullopt or empty queue = cancel
    QList<Message> messages;
    QList<OpenDialogRequest> openRequests;
    QList<SaveDialogRequest> saveRequests;
    QMap<QString, QString> settings;             // "Section/Key" -> value
    std::optional<FileResult> nextWriteFailure;  // for the next write or copy
    QStringList openedDocuments;
    bool noDocumentViewer = false;  // documents are handed over, and nothing opens them
    int busyDepth = 0;

    bool askYesNo(const QString& text) override;
    int askChoice(const QString& text, const QStringList& choices) override;
    void showInformation(const QString& text) override;
    void showStatus(const QString& text) override;
    void showNotice(const QString& text) override;
    std::optional<OpenDialogChoice> chooseFileToOpen(const OpenDialogRequest& request) override;
    std::optional<QString> chooseFileToSave(const SaveDialogRequest& request) override;
    std::optional<QColor> chooseColour(const QColor& initial, const QString& title) override;
    QString setting(const QString& section, const QString& key, const QString& fallback) override;
    void setSetting(const QString& section, const QString& key, const QString& value) override;
    void setBusy(bool busy) override;
    bool fileExists(const QString& path) override;
    FileBytes readFile(const QString& path) override;
    FileResult writeFile(const QString& path, std::string_view bytes) override;
    FileResult copyFile(const QString& from, const QString& to) override;
    bool openDocument(const QString& path) override;

    QStringList texts(MessageKind kind) const;
};

}  // namespace wendrake
