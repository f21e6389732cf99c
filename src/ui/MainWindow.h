// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QMainWindow>
#include <QMenu>
#include <QPointer>
#include <QStackedWidget>
#include <memory>

#include "model/DocumentSession.h"
#include "model/LanguageTable.h"
#include "ui/ColourPages.h"
#include "ui/CompareView.h"
#include "ui/Desktop.h"
#include "ui/DocumentCommands.h"
#include "ui/ExportDialog.h"
#include "ui/FileCommands.h"
#include "ui/HandlingPages.h"
#include "ui/NeighbourChecks.h"
#include "ui/ProblemMarks.h"
#include "ui/ProblemsPanel.h"
#include "ui/QtTranslation.h"
#include "ui/SessionNotices.h"
#include "ui/StartPanel.h"
#include "ui/UndoHistory.h"
#include "ui/VehicleDefPages.h"
#include "ui/VehicleListPanel.h"
#include "ui/VehicleTable.h"

namespace wendrake {

// The main window: the menu bar and toolbar of the commands, the vehicle list,
// the page set of the loaded kind of file. It wires the pages, the problems
// dock and the file commands; each of those owns its own controls and handlers.
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

    // After start: the file named on the command line, else the last file
    // when the player wants it back; without either the start panel shows.
    void openAtStart(const QString& commandLineFile);

    DocumentSession& session() { return session_; }
    const EditorDocument& document() const { return session_.document(); }
    const LanguageTable& language() const { return language_; }

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
    // Checked: the table of all vehicles stands in place of the pages.
    QAction* tableAction = nullptr;
    // Checked: a start without a file named opens the last file again.
    QAction* reopenLastAction;
    // Checked: saves keep the file's layout; the first save over a file
    // backs it up. Remembered between runs.
    QAction* keepLayoutAction;
    QAction* backupFirstAction;

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
    // Shows the chosen record again, as the pages of the language now read.
    void showChosenVehicle();
    void switchLanguage(const QString& name);
    // Asks about unsaved changes, then opens a file of the recent list.
    void openRecent(const QString& path);

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
    // One checkable item per language file in View > Language.
    void fillLanguageMenu(const QStringList& languages);
    // Loads a language; false, with a notice, when its file cannot be read.
    bool loadLanguageFile(const QString& name);
    void checkLanguageItem(const QString& name);
    void fillRecentMenu();
    void showRecentFiles();
    void applyLanguage();
    void showOpenResult(const FileCommands::OpenResult& result);
    void showPagesOf(DataFileKind kind, bool loaded);
    // The session's notices: the list, pages, error window and title follow
    // what changed.
    void sessionChanged(const SessionChange& change);
    // After the list was rebuilt: shows it and its first vehicle, the
    // palette first for car colours.
    void showListFromTop();
    // After whole tables changed (revert, import, their undo): the list
    // rebuilt, `record` still shown when it is still there.
    void showListKeeping(int record);
    void showCaption();
    // Shows the selected record on the pages of its kind.
    void showSelected();
    void jumpToErrorRow(const ErrorListEntry& row);
    void showVehicle(int record);
    // The right of the editor shows `view`: the pages of the loaded kind
    // (pagesArea_), another view of the vehicles chosen in the list, or the
    // table of all vehicles, whose menu item is checked while it is shown.
    void showDetailView(QWidget* view);
    // Several vehicles chosen in the list: their values side by side.
    void showComparison(const std::vector<int>& records);
    void connectCompareView();
    // The problems dock: View > Problems, its rows after every change, and
    // where it was at the last close.
    void buildProblemsPanel();
    void connectProblemsPanel();
    void restoreDocks();
    // Warnings among the rows, the comparison with the file beside the open
    // one, and the marks in the boxes of the shown vehicle.
    void buildLiveChecks();
    void connectLiveChecks();
    // View > Table of All Vehicles and the table, which follows the list's
    // filter and chosen vehicle.
    void buildVehicleTable();
    void connectVehicleTable();
    // After an undo or redo: the vehicle, colour or value it changed is shown.
    void showRestored(const SessionChange& change);
    QString text(int number) const;

    QMenu* fileMenu_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QMenu* editMenu_ = nullptr;
    QMenu* viewMenu_ = nullptr;
    QMenu* languageMenu_ = nullptr;
    QMenu* helpMenu_ = nullptr;
    QActionGroup* languageGroup_ = nullptr;
    // The start panel or the editor (list and pages).
    QStackedWidget* centralStack_ = nullptr;
    QWidget* editor_ = nullptr;
    // The file the title names: the loaded one.
    QString titleFile_;

    DocumentSession session_;
    LanguageTable language_;
    QString loadedLanguage_;  // the language the texts are in
    QtTranslation qtTranslation_;
    Desktop& desktop_;
    QString programFolder_;
    FileCommands files_;
    DocumentCommands commands_;
    VehicleListPanel* vehicleList_ = nullptr;
    // Owned here, not by Qt's parent, so that it stops observing before the
    // session it observes is destroyed.
    std::unique_ptr<SessionNotices> notices_;
    // Owned here for the same reason: it records the session's edits.
    std::unique_ptr<UndoHistory> undoHistory_;
    HandlingPages* handlingPages_ = nullptr;
    VehicleDefPages* vehicleDefPages_ = nullptr;
    ColourPages* colourPages_ = nullptr;
    ProblemsPanel* problemsPanel_ = nullptr;
    // Right of the list: the pages, or a view in their place (the compare
    // view of several vehicles, the table of all vehicles).
    QStackedWidget* detailStack_ = nullptr;
    QWidget* pagesArea_ = nullptr;
    CompareView* compareView_ = nullptr;
    VehicleTable* vehicleTable_ = nullptr;
    // In the window's centre while no file is open.
    StartPanel* startPanel_ = nullptr;
    // Made at the first export and kept, hidden, between exports.
    QPointer<ExportDialog> exportDialog_;
    // Last, so that they go first: they refer to the pages and the session.
    std::unique_ptr<NeighbourChecks> neighbours_;
    std::unique_ptr<ProblemMarks> marks_;
};

}  // namespace wendrake
