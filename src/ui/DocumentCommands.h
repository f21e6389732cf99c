// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "model/DocumentSession.h"
#include "model/LanguageTable.h"
#include "ui/Desktop.h"

namespace wendrake {

// The commands around the loaded file that are not opening or saving:
// backup, undo, vehicle import, and the info and help buttons. Each works on
// the document through the session, whose change notices refresh the window
// before the closing message, so the player reads it over the window as it
// now is.
class DocumentCommands {
  public:
    DocumentCommands(DocumentSession& session, Desktop& desktop, const LanguageTable& language,
                     QString programFolder);

    // Copies the file as it lies on disk to its name + ".backup".
    void backup();

    // Asks, then returns the working tables to their last opened or saved
    // state and rebuilds the vehicle list. False when the player said No.
    bool undo();

    // Asks for a file in the handling line format and adds its vehicles; when
    // some of their names are in the file already, asks once whether they
    // replace those vehicles. False when nothing was imported.
    bool importVehicles();

    void info();
    void help();

    // The text of the info box: name, version and credits, lines joined by
    // CR LF.
    static QString infoText();

  private:
    QString text(int number) const;

    DocumentSession& session_;
    Desktop& desktop_;
    const LanguageTable& language_;
    QString programFolder_;
};

}  // namespace wendrake
