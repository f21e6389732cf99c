// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <string_view>

#include "io/FileAccess.h"

namespace wendrake {

// One entry of a file dialog's filter list.
struct FileFilter {
    QString description;   // e.g. "Handling file"
    QStringList patterns;  // e.g. {"*.cfg", "*.cfg.backup"}
};

struct OpenDialogRequest {
    QString title;
    QList<FileFilter> filters;
    int initialFilter = 0;  // 1-based; 0 picks the first
    QString initialFile;
};

struct OpenDialogChoice {
    QString path;
    int filterPosition = 0;  // 1-based position of the filter the user chose
};

struct SaveDialogRequest {
    QString title;
    QList<FileFilter> filters;
    QString initialFile;
};

// Everything the windows need from the desktop. The program uses the Qt
// implementation; tests use a scripted one, so no test waits on a dialog.
class Desktop {
  public:
    virtual ~Desktop() = default;

    // A question with Yes and No; true for Yes.
    virtual bool askYesNo(const QString& text) = 0;
    // A question with a button per choice, the last one cancelling; the
    // index of the choice, or -1 when the question was closed.
    virtual int askChoice(const QString& text, const QStringList& choices) = 0;
    // Information the player asked for: OK and an information symbol.
    virtual void showInformation(const QString& text) = 0;
    // After a successful operation: a note that passes by itself, without
    // stopping the player.
    virtual void showStatus(const QString& text) = 0;
    // A problem: OK only.
    virtual void showNotice(const QString& text) = 0;

    virtual std::optional<OpenDialogChoice> chooseFileToOpen(const OpenDialogRequest& request) = 0;
    // Asks before replacing an existing file.
    virtual std::optional<QString> chooseFileToSave(const SaveDialogRequest& request) = 0;
    // The desktop's colour dialog, starting at `initial`; nothing when cancelled.
    virtual std::optional<QColor> chooseColour(const QColor& initial, const QString& title) = 0;

    virtual QString setting(const QString& section, const QString& key,
                            const QString& fallback = {}) = 0;
    virtual void setSetting(const QString& section, const QString& key, const QString& value) = 0;

    virtual void setBusy(bool busy) = 0;

    virtual bool fileExists(const QString& path) = 0;
    virtual FileBytes readFile(const QString& path) = 0;
    virtual FileResult writeFile(const QString& path, std::string_view bytes) = 0;
    // Copies a file; the target is replaced only by a complete copy.
    virtual FileResult copyFile(const QString& from, const QString& to) = 0;

    // Hands a document to the program the desktop opens such files with;
    // false when no program took it.
    virtual bool openDocument(const QString& path) = 0;
};

// Shows the busy pointer for as long as it lives, on every way out.
class BusyPointer {
  public:
    explicit BusyPointer(Desktop& desktop) : desktop_(desktop) { desktop_.setBusy(true); }
    ~BusyPointer() { desktop_.setBusy(false); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

  private:
    Desktop& desktop_;
};

}  // namespace wendrake
