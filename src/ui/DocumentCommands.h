#pragma once

#include <QString>
#include <functional>

#include "model/EditorDocument.h"
#include "model/LanguageTable.h"
#include "ui/Desktop.h"

namespace wendrake {

// The commands around the loaded file that are not opening or saving:
// backup, undo, vehicle import, and the info and help buttons. Each works on
// the document through the desktop; where the document changed, the caller's
// refresh runs before the closing message, so the player reads it over the
// window as it now is.
class DocumentCommands {
  public:
    DocumentCommands(EditorDocument& document, Desktop& desktop, const LanguageTable& language,
                     QString programFolder);

    // Copies the file as it lies on disk to its name + ".backup".
    void backup();

    // Asks, then returns the working tables to their last opened or saved
    // state and rebuilds the vehicle list; `showRestored` shows it. False
    // when the player said No.
    bool undo(const std::function<void()>& showRestored);

    // Asks for a file in the handling line format and adds its vehicles.
    // `showImported` gets the number of error rows there were before, so the
    // error window can show the new ones. False when nothing was imported.
    bool importVehicles(const std::function<void(int previousErrorRows)>& showImported);

    void info();
    void help();

    // The text of the info box: name, version and credits, lines joined by
    // CR LF.
    static QString infoText();

  private:
    QString text(int number) const;

    EditorDocument& document_;
    Desktop& desktop_;
    const LanguageTable& language_;
    QString programFolder_;
};

}  // namespace wendrake
