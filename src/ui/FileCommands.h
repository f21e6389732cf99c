// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "model/DocumentSession.h"
#include "model/LanguageTable.h"
#include "ui/Desktop.h"
#include "ui/DesktopFiles.h"
#include "ui/RecentFiles.h"

namespace wendrake {

// Opening and saving the document: the questions, dialogs, remembered
// settings and messages around the session's own open and save.
class FileCommands {
  public:
    enum class OpenOutcome {
        Cancelled,  // nothing changed
        Missing,    // the chosen file does not exist; the loaded document stays
        Failed,     // nothing loaded any more: saving is not offered
        Loaded,
    };

    struct OpenResult {
        OpenOutcome outcome = OpenOutcome::Cancelled;
        QString path;  // the file chosen, also when it failed
    };

    FileCommands(DocumentSession& session, Desktop& desktop, const LanguageTable& language);

    // Asks about unsaved changes, shows the open dialog, then opens the choice.
    OpenResult open();

    // Opens a file of the recent list, after asking about unsaved changes; a
    // file that is gone is said so and leaves the list.
    OpenResult openRecent(const QString& path);

    // Before unsaved changes would be lost: asks whether to save them, discard
    // them or cancel. True when the changes are saved or may go; false when
    // the player cancelled or the save failed, and the document stays as it is.
    bool offerToSave();

    // Opens `path` as if chosen in the open dialog with filter `filterPosition`.
    OpenResult openChosen(const QString& path, int filterPosition);

    // Writes the document to its file; true when written.
    bool save();

    // Asks for a path, writes the document there and adopts the path; true
    // when written.
    bool saveAs();

    // Whether saves keep the file's layout (remembered in the settings):
    // every line stays as it stands, only the lines of changed vehicles are
    // written anew. Off, a save writes the game's standard layout.
    bool keepsLayout() const;
    void setKeepsLayout(bool keep);
    // Whether the first save over a file in a session backs it up first.
    bool backsUpFirst() const;
    void setBacksUpFirst(bool backup);

    // The files last opened or saved.
    RecentFiles& recentFiles() { return recent_; }

    // The filter position the open dialog would need for `path`; 0 when its
    // name fits no kind.
    static int filterPositionFor(const QString& path);

  private:
    QString text(int number) const;
    OpenResult loadChosen(const QString& path, int filterPosition, QString& notice);
    // Writes and tells the player; true when written.
    bool writeDocument(const QString& target);
    // The status note after a save: saved, the backup made, the errors left.
    QString savedNote(const SaveOutcome& saved) const;

    DocumentSession& session_;
    Desktop& desktop_;
    DesktopFiles files_;
    const LanguageTable& language_;
    RecentFiles recent_;
};

}  // namespace wendrake
