// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QMainWindow>
#include <QMenu>
#include <QPointer>
#include <memory>

#include "model/DocumentSession.h"
#include "model/LanguageTable.h"
#include "ui/ColourPages.h"
#include "ui/Desktop.h"
#include "ui/DocumentCommands.h"
#include "ui/ExportDialog.h"
#include "ui/FileCommands.h"
#include "ui/HandlingPages.h"
#include "ui/ProblemsWindow.h"
#include "ui/SessionNotices.h"
#include "ui/UndoHistory.h"
#include "ui/VehicleDefPages.h"
#include "ui/VehicleListModel.h"

namespace wendrake {

// The main window: the menu bar and toolbar of the commands, the vehicle list,
// the language list and the page set of the loaded kind of file. It wires the pages, the error
// window and the file commands; each of those owns its own controls and handlers.
class MainWindow final : public QMainWindow {
    Q_OBJECT
  public:
    MainWindow(Desktop& desktop, QString programFolder, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The start sequence; false when the program cannot run (no language
    // file), after telling the player.
    bool start();

    // Opens a file named on the command line or dropped on the window, with
    // the filter its name stands for.
    void openFile(const QString& path);

    DocumentSession& session() { return session_; }
    const EditorDocument& document() const { return session_.document(); }
    const LanguageTable& language() const { return language_; }
    VehicleListModel* vehicleListModel() const { return vehicleModel_; }

    // Each command is one action, in the menus and on the toolbar; its keys
    // are the desktop's standard keys and stay when the language changes.
    QAction* openAction;
    QAction* saveAction;
    QAction* saveAsAction;
    QAction* backupAction;
    QAction* revertAction;
    QAction* importAction;
    QAction* exportAction;
    QAction* quitAction;
    QAction* manualAction;
    QAction* aboutAction;
    QAction* undoAction;
    QAction* redoAction;
    QAction* findAction;
    QAction* problemsAction;
    // Saves keep the file's layout; remembered between runs.
    QCheckBox* keepLayoutBox;
    QCheckBox* backupFirstBox;
    QGroupBox* vehicleFrame;
    QComboBox* vehicleChooser;
    QGroupBox* languageFrame;
    QComboBox* languageChooser;
    HandlingPages* handlingPages;
    VehicleDefPages* vehicleDefPages;
    ColourPages* colourPages;
    ProblemsWindow* problemsWindow;
    // Made at the first export and kept, hidden, between exports.
    QPointer<ExportDialog> exportDialog;

  public slots:
    void openDocument();
    void save();
    void saveAs();
    void createBackup();
    void revertToSaved();
    void showAbout();
    void showManual();
    void importVehicles();
    void exportVehicles();
    void quit();
    void showChosenVehicle();
    void switchLanguage();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void buildWindow();
    void buildActions();
    void buildMenusAndToolbar();
    void connectHandlers();
    void startLanguage();
    // Loads the language chosen in the list; false, with a notice, when its
    // file cannot be read.
    bool loadLanguageFile();
    void applyLanguage();
    void showOpenResult(const FileCommands::OpenResult& result);
    void showPagesOf(DataFileKind kind, bool loaded);
    // The session's notices: the list, pages, error window and title follow
    // what changed.
    void sessionChanged(const SessionChange& change);
    // After the list was rebuilt: shows it and its first vehicle, the
    // palette first for car colours.
    void showListFromTop();
    void showCaption();
    // Shows the selected record on the pages of its kind.
    void showSelected();
    void jumpToErrorRow(const ErrorListEntry& row);
    // After an undo or redo: the vehicle, colour or value it changed is shown.
    void showRestored(const SessionChange& change);
    QString text(int number) const;

    QMenu* fileMenu_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QMenu* editMenu_ = nullptr;
    QMenu* viewMenu_ = nullptr;
    QMenu* languageMenu_ = nullptr;
    QMenu* helpMenu_ = nullptr;
    // The file the title names: the loaded one, or the one that failed.
    QString titleFile_;

    DocumentSession session_;
    LanguageTable language_;
    QString loadedLanguage_;  // the language the texts are in
    Desktop& desktop_;
    QString programFolder_;
    FileCommands files_;
    DocumentCommands commands_;
    VehicleListModel* vehicleModel_;
    // Owned here, not by Qt's parent, so that it stops observing before the
    // session it observes is destroyed.
    std::unique_ptr<SessionNotices> notices_;
    // Owned here for the same reason: it records the session's edits.
    std::unique_ptr<UndoHistory> undoHistory_;
};

}  // namespace wendrake
