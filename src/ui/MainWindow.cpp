// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindow.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QMimeData>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include "io/LanguageFiles.h"
#include "model/FileHeader.h"
#include "ui/AccessibleNames.h"
#include "ui/RecentMenu.h"
#include "ui/SessionNotices.h"
#include "ui/ShownText.h"
#include "ui/StorableText.h"

namespace wendrake {

namespace {

const QString kProgramName = QStringLiteral("Wendrake");
const QString kWindowSection = QStringLiteral("Window");
const QString kGeometryKey = QStringLiteral("Geometry");
const QString kSettings = QStringLiteral("Settings");
const QString kLanguageKey = QStringLiteral("Language");
const QString kReopenLastKey = QStringLiteral("ReopenLastFile");
const QString kDocksKey = QStringLiteral("Docks");

template <typename Widget>
Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// The desktop theme's icon, or Qt's own where the theme has none.
QIcon themeIcon(const QWidget* window, const char* themeName, QStyle::StandardPixmap fallback) {
    return QIcon::fromTheme(QString::fromLatin1(themeName),
                            window->style()->standardIcon(fallback));
}

QAction* command(QWidget* window, const char* name, const QIcon& icon) {
    auto* action = named(new QAction(icon, QString(), window), name);
    // Enabled and disabled with the window's state, never by a focused page.
    action->setShortcutContext(Qt::WindowShortcut);
    return action;
}

// The desktop's keys for a standard command; where the desktop has none
// (Save As and Quit have none on some), the common ones, so that every
// command has a key.
void setStandardKeys(QAction* action, QKeySequence::StandardKey key, const char* fallback) {
    QList<QKeySequence> keys = QKeySequence::keyBindings(key);
    if (keys.isEmpty() && fallback != nullptr) {
        keys.append(QKeySequence(QString::fromLatin1(fallback)));
    }
    action->setShortcuts(keys);
}

}  // namespace

MainWindow::MainWindow(Desktop& desktop, QString programFolder, QWidget* parent)
    : QMainWindow(parent),
      desktop_(desktop),
      programFolder_(std::move(programFolder)),
      files_(session_, desktop_, language_),
      commands_(session_, desktop_, language_, programFolder_),
      notices_(std::make_unique<SessionNotices>(session_)),
      undoHistory_(std::make_unique<UndoHistory>(session_)) {
    setObjectName(QStringLiteral("MainWindow"));
    resize(1280, 800);
    buildWindow();
    connectHandlers();
}

MainWindow::~MainWindow() {
    // Qt hides the docks after this body has run; what they tell then must
    // not reach handlers of a window that is gone.
    disconnect(problemsPanel_, nullptr, nullptr, nullptr);
    // Qt lays out the views while hiding them, after the session is gone.
    compareView_->compare({});
    // A cell being edited stores its text when it loses the focus, which
    // Qt's deletion of the children would make happen after the session
    // is gone.
    delete vehicleTable_;
}

void MainWindow::buildActions() {
    openAction =
        command(this, "openAction", themeIcon(this, "document-open", QStyle::SP_DialogOpenButton));
    saveAction =
        command(this, "saveAction", themeIcon(this, "document-save", QStyle::SP_DialogSaveButton));
    saveAsAction = command(this, "saveAsAction",
                           themeIcon(this, "document-save-as", QStyle::SP_DialogSaveButton));
    backupAction =
        command(this, "backupAction", themeIcon(this, "edit-copy", QStyle::SP_DriveHDIcon));
    revertAction =
        command(this, "revertAction", themeIcon(this, "document-revert", QStyle::SP_BrowserReload));
    importAction =
        command(this, "importAction", themeIcon(this, "document-import", QStyle::SP_ArrowDown));
    exportAction =
        command(this, "exportAction", themeIcon(this, "document-export", QStyle::SP_ArrowUp));
    quitAction = command(this, "quitAction",
                         themeIcon(this, "application-exit", QStyle::SP_DialogCloseButton));
    manualAction = command(this, "manualAction",
                           themeIcon(this, "help-contents", QStyle::SP_MessageBoxQuestion));
    aboutAction = command(this, "aboutAction",
                          themeIcon(this, "help-about", QStyle::SP_MessageBoxInformation));
    undoAction = command(this, "undoAction", themeIcon(this, "edit-undo", QStyle::SP_ArrowBack));
    redoAction = command(this, "redoAction", themeIcon(this, "edit-redo", QStyle::SP_ArrowForward));
    findAction = command(this, "findAction",
                         themeIcon(this, "edit-find", QStyle::SP_FileDialogContentsView));
    problemsAction = command(this, "problemsAction",
                             themeIcon(this, "dialog-warning", QStyle::SP_MessageBoxWarning));
    reopenLastAction = command(this, "reopenLastAction", QIcon());
    reopenLastAction->setCheckable(true);
    keepLayoutAction = command(this, "keepLayoutAction", QIcon());
    keepLayoutAction->setCheckable(true);
    backupFirstAction = command(this, "backupFirstAction", QIcon());
    backupFirstAction->setCheckable(true);
    setStandardKeys(openAction, QKeySequence::Open, "Ctrl+O");
    setStandardKeys(saveAction, QKeySequence::Save, "Ctrl+S");
    setStandardKeys(saveAsAction, QKeySequence::SaveAs, "Ctrl+Shift+S");
    setStandardKeys(quitAction, QKeySequence::Quit, "Ctrl+Q");
    setStandardKeys(manualAction, QKeySequence::HelpContents, "F1");
    setStandardKeys(undoAction, QKeySequence::Undo, "Ctrl+Z");
    setStandardKeys(redoAction, QKeySequence::Redo, "Ctrl+Y");
    // Players of the game know Ctrl+Y from Windows; every desktop gets it too.
    if (const QKeySequence windowsRedo(QStringLiteral("Ctrl+Y"));
        !redoAction->shortcuts().contains(windowsRedo)) {
        redoAction->setShortcuts(redoAction->shortcuts() << windowsRedo);
    }
    setStandardKeys(findAction, QKeySequence::Find, "Ctrl+F");
    // Each is enabled once the part of the window it works on is built.
    for (QAction* action : {findAction}) {
        action->setEnabled(false);
    }
    quitAction->setMenuRole(QAction::QuitRole);
    aboutAction->setMenuRole(QAction::AboutRole);
}

void MainWindow::buildMenusAndToolbar() {
    fileMenu_ = menuBar()->addMenu(QString());
    fileMenu_->addAction(openAction);
    recentMenu_ = named(fileMenu_->addMenu(QString()), "recentMenu");
    fileMenu_->addActions({saveAction, saveAsAction});
    // How saves write, remembered between runs.
    fileMenu_->addSeparator();
    fileMenu_->addActions({keepLayoutAction, backupFirstAction});
    fileMenu_->addSeparator();
    fileMenu_->addActions({backupAction, revertAction});
    fileMenu_->addSeparator();
    fileMenu_->addActions({importAction, exportAction});
    fileMenu_->addSeparator();
    fileMenu_->addAction(quitAction);
    editMenu_ = menuBar()->addMenu(QString());
    editMenu_->addActions({undoAction, redoAction});
    editMenu_->addSeparator();
    editMenu_->addAction(findAction);
    viewMenu_ = menuBar()->addMenu(QString());
    viewMenu_->addAction(problemsAction);
    languageMenu_ = named(viewMenu_->addMenu(QString()), "languageMenu");
    languageGroup_ = new QActionGroup(languageMenu_);
    languageGroup_->setExclusive(true);
    viewMenu_->addAction(reopenLastAction);
    helpMenu_ = menuBar()->addMenu(QString());
    helpMenu_->addActions({manualAction, aboutAction});

    auto* tools = named(addToolBar(QString()), "commandBar");
    tools->setMovable(false);
    tools->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    tools->addActions({openAction, saveAction, saveAsAction});
    tools->addSeparator();
    tools->addActions({undoAction, redoAction});
    tools->addSeparator();
    tools->addAction(manualAction);
}

void MainWindow::buildWindow() {
    setWindowTitle(kProgramName);
    setAcceptDrops(true);

    buildActions();
    buildMenusAndToolbar();
    vehicleList_ = new VehicleListPanel(session_);
    vehicleList_->placeCountIn(statusBar());

    handlingPages_ = new HandlingPages(session_);
    vehicleDefPages_ = new VehicleDefPages(session_);
    colourPages_ = new ColourPages(session_, desktop_);
    buildProblemsPanel();
    buildLiveChecks();
    buildVehicleTable();

    vehicleList_->setMinimumWidth(180);

    // The three page sets lie in one place; only the one of the loaded kind
    // is visible.
    auto* pages = new QWidget;
    auto* pagesLayout = new QVBoxLayout(pages);
    pagesLayout->setContentsMargins(0, 0, 0, 0);
    for (QTabWidget* tabs :
         {static_cast<QTabWidget*>(handlingPages_), static_cast<QTabWidget*>(vehicleDefPages_),
          static_cast<QTabWidget*>(colourPages_)}) {
        pagesLayout->addWidget(tabs);
    }

    pagesArea_ = pages;
    compareView_ = new CompareView(session_);
    detailStack_ = named(new QStackedWidget, "detailStack");
    detailStack_->addWidget(pages);
    detailStack_->addWidget(compareView_);
    detailStack_->addWidget(vehicleTable_);

    // The player can widen the list for long names; the pages take the rest.
    auto* body = named(new QSplitter(Qt::Horizontal), "editorSplitter");
    body->addWidget(vehicleList_);
    body->addWidget(detailStack_);
    body->setStretchFactor(1, 1);
    body->setChildrenCollapsible(false);
    body->setSizes({230, 1050});
    editor_ = body;
    startPanel_ = new StartPanel(openAction);
    centralStack_ = named(new QStackedWidget, "centralStack");
    centralStack_->addWidget(startPanel_);
    centralStack_->addWidget(editor_);
    setCentralWidget(centralStack_);
    // Made now, so that the first note does not make the window jump.
    statusBar();

    showPagesOf(DataFileKind::Handling, false);
}

void MainWindow::connectHandlers() {
    connect(openAction, &QAction::triggered, this, &MainWindow::openDocument);
    connect(saveAction, &QAction::triggered, this, &MainWindow::save);
    connect(saveAsAction, &QAction::triggered, this, &MainWindow::saveAs);
    connect(backupAction, &QAction::triggered, this, &MainWindow::createBackup);
    connect(revertAction, &QAction::triggered, this, &MainWindow::revertToSaved);
    connect(importAction, &QAction::triggered, this, &MainWindow::importVehicles);
    connect(exportAction, &QAction::triggered, this, &MainWindow::exportVehicles);
    connect(quitAction, &QAction::triggered, this, &MainWindow::quit);
    connect(manualAction, &QAction::triggered, this, &MainWindow::showManual);
    connect(aboutAction, &QAction::triggered, this, &MainWindow::showAbout);
    connect(keepLayoutAction, &QAction::toggled, this,
            [this](bool keep) { files_.setKeepsLayout(keep); });
    connect(backupFirstAction, &QAction::toggled, this,
            [this](bool backup) { files_.setBacksUpFirst(backup); });
    connect(handlingPages_, &HandlingPages::importRequested, this, &MainWindow::importVehicles);
    connect(handlingPages_, &HandlingPages::exportRequested, this, &MainWindow::exportVehicles);
    connect(vehicleList_, &VehicleListPanel::vehicleChosen, this, &MainWindow::showVehicle);
    connect(findAction, &QAction::triggered, vehicleList_, &VehicleListPanel::focusFilter);
    connect(languageGroup_, &QActionGroup::triggered, this,
            [this](QAction* chosen) { switchLanguage(chosen->data().toString()); });
    connect(recentMenu_, &QMenu::aboutToShow, this, &MainWindow::fillRecentMenu);
    connect(startPanel_, &StartPanel::fileChosen, this, &MainWindow::openRecent);
    connect(reopenLastAction, &QAction::toggled, this, [this](bool reopen) {
        desktop_.setSetting(kSettings, kReopenLastKey,
                            reopen ? QStringLiteral("1") : QStringLiteral("0"));
    });
    SessionNotices* notices = notices_.get();
    connect(notices, &SessionNotices::changed, this, &MainWindow::sessionChanged);
    connect(notices, &SessionNotices::changed, vehicleList_, &VehicleListPanel::followChange);
    connect(notices, &SessionNotices::changed, handlingPages_, [this](const SessionChange& change) {
        // Not on the player's own typing, which would move the cursor.
        if (change.has(Change::Opened) || change.has(Change::Reverted)) {
            handlingPages_->showAuthorAndDate();
        }
    });
    connectProblemsPanel();
    connectCompareView();
    connectLiveChecks();
    connectVehicleTable();
    undoHistory_->useActions(this, undoAction, redoAction);
    connect(notices, &SessionNotices::changed, this, &MainWindow::showRestored);
}

bool MainWindow::start() {
    desktop_.setSetting(QStringLiteral("Exe"), QStringLiteral("Path"), programFolder_);
    desktop_.setSetting(QStringLiteral("Exe"), QStringLiteral("Version"),
                        QString::fromLatin1(kProgramVersion.data(),
                                            static_cast<qsizetype>(kProgramVersion.size())));
    showPagesOf(DataFileKind::Handling, false);
    {
        const QSignalBlocker keepBlocker(keepLayoutAction);
        keepLayoutAction->setChecked(files_.keepsLayout());
        const QSignalBlocker backupBlocker(backupFirstAction);
        backupFirstAction->setChecked(files_.backsUpFirst());
        const QSignalBlocker reopenBlocker(reopenLastAction);
        reopenLastAction->setChecked(
            desktop_.setting(kSettings, kReopenLastKey, QStringLiteral("1")) != QLatin1String("0"));
    }
    const QByteArray geometry =
        QByteArray::fromBase64(desktop_.setting(kWindowSection, kGeometryKey).toLatin1());
    if (!geometry.isEmpty()) {
        restoreGeometry(geometry);
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        // The first start: the whole window, its title and frame from the
        // window manager too, on the screen (a 1280 x 800 screen included).
        const QSize room = screen->availableGeometry().size() - QSize(16, 48);
        resize(size().boundedTo(room));
    }
    restoreDocks();
    if (listLanguages(programFolder_).isEmpty()) {
        desktop_.showNotice(
            QStringLiteral("No language-file found! Please reinstall the application."));
        return false;
    }
    startLanguage();
    return true;
}

QString MainWindow::text(int number) const {
    return languageText(language_, number);
}

void MainWindow::startLanguage() {
    const QStringList languages = listLanguages(programFolder_);
    fillLanguageMenu(languages);
    loadLanguageFile(wendrake::startLanguage(languages, desktop_.setting(kSettings, kLanguageKey)));
}

void MainWindow::fillLanguageMenu(const QStringList& languages) {
    for (QAction* old : languageGroup_->actions()) {
        delete old;
    }
    for (const QString& name : languages) {
        QAction* item = languageMenu_->addAction(menuSafeText(name));
        item->setData(name);
        item->setCheckable(true);
        languageGroup_->addAction(item);
    }
}

void MainWindow::checkLanguageItem(const QString& name) {
    for (QAction* item : languageGroup_->actions()) {
        item->setChecked(item->data().toString() == name);
    }
}

bool MainWindow::loadLanguageFile(const QString& name) {
    const FileResult loaded = wendrake::loadLanguageFile(programFolder_, name, language_);
    if (!loaded.ok) {
        // The file vanished while the program runs: the texts stay as they
        // are, and the menu checks the language they are in again.
        checkLanguageItem(loadedLanguage_);
        desktop_.showNotice(errorNotice(loaded.code, loaded.description));
        return false;
    }
    loadedLanguage_ = name;
    checkLanguageItem(name);
    // Before the texts change, so that Qt's own texts switch with them.
    qtTranslation_.follow(name);
    applyLanguage();
    return true;
}

void MainWindow::applyLanguage() {
    vehicleList_->applyLanguage(language_);
    // Only the texts change: the keys belong to the actions, not to a text.
    fileMenu_->setTitle(text(Text::FileMenu));
    recentMenu_->setTitle(text(Text::RecentMenu));
    editMenu_->setTitle(text(Text::EditMenu));
    viewMenu_->setTitle(text(Text::ViewMenu));
    languageMenu_->setTitle(text(Text::LanguageMenu));
    helpMenu_->setTitle(text(Text::HelpMenu));
    const std::pair<QAction*, int> items[] = {
        {openAction, Text::OpenItem},     {saveAction, Text::SaveItem},
        {saveAsAction, Text::SaveAsItem}, {backupAction, Text::BackupItem},
        {revertAction, Text::RevertItem}, {importAction, Text::ImportItem},
        {exportAction, Text::ExportItem}, {quitAction, Text::QuitItem},
        {manualAction, Text::ManualItem}, {aboutAction, Text::AboutItem},
        {undoAction, Text::UndoItem},     {redoAction, Text::RedoItem},
        {findAction, Text::FindItem},     {problemsAction, Text::ProblemsItem}};
    for (const auto& [action, number] : items) {
        action->setText(text(number));
    }
    // The toolbar names a command as its menu item does, without the
    // mnemonic and the "..." of a dialog.
    for (QAction* action :
         {openAction, saveAction, saveAsAction, undoAction, redoAction, manualAction}) {
        QString shortText = action->text();
        shortText.remove(QRegularExpression(QStringLiteral("&(?!&)")));
        if (shortText.endsWith(QStringLiteral("..."))) {
            shortText.chop(3);
        }
        action->setIconText(shortText);
    }
    reopenLastAction->setText(text(Text::ReopenLastFile));
    startPanel_->applyLanguage(language_);
    keepLayoutAction->setText(text(Text::KeepLayout));
    backupFirstAction->setText(text(Text::BackupFirst));
    useStorableTextLanguage(language_);
    handlingPages_->applyLanguage(language_);
    vehicleDefPages_->applyLanguage(language_);
    colourPages_->applyLanguage(language_);
    problemsPanel_->applyLanguage(language_);
    compareView_->applyLanguage(language_, *handlingPages_);
    tableAction->setText(text(Text::TableItem));
    vehicleTable_->applyLanguage(language_);
    session_.useLanguage(language_);
    neighbours_->applyLanguage();
    marks_->applyLanguage(language_);
    if (exportDialog_) {
        exportDialog_->applyLanguage(language_);
    }
    nameControlsByCaptions(this);
}

void MainWindow::switchLanguage(const QString& name) {
    if (!loadLanguageFile(name)) {
        return;
    }
    desktop_.setSetting(kSettings, kLanguageKey, name);
    showChosenVehicle();
}

void MainWindow::openDocument() {
    showOpenResult(files_.open());
}

void MainWindow::openFile(const QString& path) {
    // The path is remembered for the open dialog: make it independent of the
    // folder the program was started from.
    const QString absolute = QFileInfo(path).absoluteFilePath();
    showOpenResult(files_.openChosen(absolute, FileCommands::filterPositionFor(absolute)));
}

void MainWindow::openAtStart(const QString& commandLineFile) {
    if (!commandLineFile.isEmpty()) {
        openFile(commandLineFile);
        return;
    }
    const QStringList recent = files_.recentFiles().paths();
    // A last file that is gone may come back (a drive not mounted yet): it
    // stays listed, and the start panel shows.
    if (reopenLastAction->isChecked() && !recent.isEmpty() && desktop_.fileExists(recent.first())) {
        openFile(recent.first());
    }
}

void MainWindow::openRecent(const QString& path) {
    showOpenResult(files_.openRecent(path));
}

void MainWindow::fillRecentMenu() {
    wendrake::fillRecentMenu(
        recentMenu_, files_.recentFiles().paths(), text(Text::ClearRecent),
        [this](const QString& path) { openRecent(path); },
        [this] {
            files_.recentFiles().clear();
            showRecentFiles();
        });
}

void MainWindow::showRecentFiles() {
    startPanel_->showFiles(files_.recentFiles().paths());
}

void MainWindow::showOpenResult(const FileCommands::OpenResult& result) {
    // The list on the start panel follows every open, also one that failed
    // or found its file gone.
    if (result.outcome != FileCommands::OpenOutcome::Cancelled) {
        showRecentFiles();
    }
}

void MainWindow::sessionChanged(const SessionChange& change) {
    const EditorDocument& document = session_.document();
    if (change.has(Change::Opened) || change.has(Change::Closed)) {
        // The names it lists belong to the file that was loaded before.
        if (exportDialog_) {
            exportDialog_->close();
        }
        showPagesOf(document.kind, session_.isLoaded());
    }
    if (change.has(Change::Opened)) {
        // A note about the file before would now read as about this one.
        statusBar()->clearMessage();
        showListFromTop();
    } else if (change.has(Change::Reverted) || (change.has(Change::List) && change.record < 0)) {
        showListKeeping(session_.selected());
    } else if (change.has(Change::Closed)) {
        vehicleList_->reload();
    }
    if (change.has(Change::SavedState) || change.has(Change::Path)) {
        showCaption();
    }
}

void MainWindow::showPagesOf(DataFileKind kind, bool loaded) {
    // Nothing of a file stays shown once none is loaded.
    if (!loaded) {
        showRecentFiles();
    }
    centralStack_->setCurrentWidget(loaded ? editor_ : startPanel_);
    handlingPages_->setVisible(kind == DataFileKind::Handling);
    vehicleDefPages_->setVisible(kind == DataFileKind::VehicleDefs);
    colourPages_->setVisible(kind == DataFileKind::CarColours);
    for (QAction* action : {saveAction, saveAsAction, backupAction, findAction, tableAction}) {
        action->setEnabled(loaded);
    }
    // Only changes can be reverted.
    revertAction->setEnabled(loaded && !session_.isSaved());
    // Vehicles move between handling files only.
    importAction->setEnabled(loaded && kind == DataFileKind::Handling);
    exportAction->setEnabled(loaded && kind == DataFileKind::Handling);
    // Set, not disabled on the way: a disabled list would lose the focus
    // with every vehicle the arrow keys show.
    vehicleList_->setEnabled(loaded);
    // Values of no vehicle cannot be edited: without one shown, the pages
    // stay disabled. The palette is the file's own and always editable.
    // Each page is set once: disabling and enabling again would repaint
    // every control of the page with every vehicle shown.
    const bool vehicleShown = loaded && session_.selected() >= 0;
    handlingPages_->setEnabled(vehicleShown && kind == DataFileKind::Handling);
    vehicleDefPages_->setEnabled(vehicleShown && kind == DataFileKind::VehicleDefs);
    colourPages_->setEnabled(loaded && kind == DataFileKind::CarColours);
}

void MainWindow::showCaption() {
    titleFile_ = session_.isLoaded() ? QString::fromStdString(session_.path()) : QString();
    setWindowFilePath(titleFile_);
    if (titleFile_.isEmpty()) {
        setWindowTitle(kProgramName);
    } else {
        // "[*]" is where Qt puts the "*" of unsaved changes; one inside a
        // file name is doubled to show as itself.
        QString name = QFileInfo(titleFile_).fileName();
        name.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
        setWindowTitle(name + QStringLiteral("[*] \u2014 ") + kProgramName);
    }
    setWindowModified(session_.isLoaded() && !session_.isSaved());
    revertAction->setEnabled(session_.isLoaded() && !session_.isSaved());
}

void MainWindow::save() {
    files_.save();
}

void MainWindow::saveAs() {
    files_.saveAs();
}

void MainWindow::showListKeeping(int record) {
    const int entry = session_.document().Autos.entryOfRecord(record);
    if (entry < 0) {
        showListFromTop();
        return;
    }
    vehicleList_->reload(VehicleListPanel::Filter::Kept);
    if (session_.kind() == DataFileKind::CarColours) {
        colourPages_->showPalette();
    }
    vehicleList_->chooseEntry(entry);
}

void MainWindow::showListFromTop() {
    vehicleList_->reload();
    if (session_.kind() == DataFileKind::CarColours) {
        colourPages_->showPalette();
    }
    // With the signals running, so the first vehicle is shown; a file
    // without vehicles shows empty pages.
    if (session_.document().Autos.empty()) {
        session_.select(-1);
        showSelected();
    }
    vehicleList_->chooseEntry(0);
}

void MainWindow::createBackup() {
    commands_.backup();
}

void MainWindow::revertToSaved() {
    commands_.undo();
}

void MainWindow::importVehicles() {
    const auto rowsBefore = static_cast<int>(session_.document().Errors.size());
    commands_.importVehicles();
    // The imported lines' rows come after those already listed.
    if (static_cast<int>(session_.document().Errors.size()) > rowsBefore) {
        problemsPanel_->reveal(rowsBefore);
    }
}

void MainWindow::exportVehicles() {
    if (!session_.isLoaded() || session_.kind() != DataFileKind::Handling) {
        return;
    }
    if (!exportDialog_) {
        exportDialog_ = new ExportDialog(session_.document(), desktop_, this);
    }
    exportDialog_->applyLanguage(language_);
    nameControlsByCaptions(exportDialog_);
    exportDialog_->fill(session_.document().Autos);
    exportDialog_->show();
    exportDialog_->raise();
    exportDialog_->activateWindow();
}

void MainWindow::showAbout() {
    commands_.info();
}

void MainWindow::showManual() {
    commands_.help();
}

void MainWindow::quit() {
    close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!files_.offerToSave()) {
        event->ignore();
        return;
    }
    desktop_.setSetting(kWindowSection, kGeometryKey,
                        QString::fromLatin1(saveGeometry().toBase64()));
    desktop_.setSetting(kWindowSection, kDocksKey, QString::fromLatin1(saveState().toBase64()));
    if (exportDialog_) {
        exportDialog_->close();
    }
    event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.first().isLocalFile()) {
        event->acceptProposedAction();
    }
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() != 1 || !urls.first().isLocalFile()) {
        return;
    }
    event->acceptProposedAction();
    if (!files_.offerToSave()) {
        return;
    }
    openFile(urls.first().toLocalFile());
}

void MainWindow::showChosenVehicle() {
    if (session_.selected() >= 0) {
        showSelected();
    }
}

void MainWindow::showVehicle(int record) {
    session_.select(record);
    showSelected();
    // One vehicle chosen ends a comparison; the table of all vehicles stays.
    if (detailStack_->currentWidget() == compareView_) {
        showDetailView(pagesArea_);
    }
}

void MainWindow::showDetailView(QWidget* view) {
    detailStack_->setCurrentWidget(view);
    const QSignalBlocker blocker(tableAction);
    tableAction->setChecked(view == vehicleTable_);
}

void MainWindow::showComparison(const std::vector<int>& records) {
    // The pages follow the first, as they will show it after the comparison.
    showVehicle(records.front());
    compareView_->compare(records);
    showDetailView(compareView_);
}

void MainWindow::connectCompareView() {
    connect(vehicleList_, &VehicleListPanel::vehiclesCompared, this, &MainWindow::showComparison);
    connect(notices_.get(), &SessionNotices::changed, compareView_, &CompareView::followChange);
    // An ended comparison gives way to the pages; the table, when it is
    // shown instead, stays.
    connect(compareView_, &CompareView::ended, this, [this] {
        if (detailStack_->currentWidget() == compareView_) {
            showDetailView(pagesArea_);
        }
    });
    connect(compareView_, &CompareView::noted, this,
            [this](const QString& note) { statusBar()->showMessage(note, 5000); });
}

void MainWindow::showSelected() {
    const int record = session_.selected();
    const VehicleList& list = session_.document().Autos;
    const int entry = list.entryOfRecord(record);
    const QString name = entry >= 0 ? shownText(list.at(entry)) : QString();
    switch (session_.kind()) {
        case DataFileKind::Handling:
            handlingPages_->showPicture(programFolder_, name);
            handlingPages_->showCurrentRecord();
            break;
        case DataFileKind::VehicleDefs:
            vehicleDefPages_->showPicture(programFolder_, name);
            vehicleDefPages_->showCurrentRecord();
            break;
        case DataFileKind::CarColours:
            colourPages_->showModel(record);
            break;
    }
    showPagesOf(session_.kind(), session_.isLoaded());
    marks_->refresh();
}

void MainWindow::jumpToErrorRow(const ErrorListEntry& row) {
    const int entry = session_.document().Autos.indexOf(row.car());
    if (entry < 0) {
        return;
    }
    vehicleList_->chooseEntry(entry);
    activateWindow();
    const bool handling = session_.kind() == DataFileKind::Handling;
    if (detailStack_->currentWidget() == vehicleTable_) {
        vehicleTable_->showRecord(session_.document().Autos.recordAt(entry),
                                  handling ? row.field : -1);
        vehicleTable_->setFocus();
    } else if (handling) {
        handlingPages_->focusField(row.field >= 0 ? row.field : 0);
    } else if (session_.kind() == DataFileKind::VehicleDefs) {
        // A row of no one value (a handling ID twice) is about the handling ID.
        const bool oneValue = row.field >= 0 && row.field < kVehicleDefFieldCount;
        if (QWidget* box = vehicleDefPages_->editorOfField(static_cast<VehicleDefField>(
                oneValue ? row.field : static_cast<int>(VehicleDefField::HandlingID)))) {
            box->setFocus(Qt::OtherFocusReason);
        }
    }
}

void MainWindow::buildProblemsPanel() {
    problemsPanel_ = new ProblemsPanel(session_.document().Errors, this);
    addDockWidget(Qt::BottomDockWidgetArea, problemsPanel_);
    problemsPanel_->hide();
    problemsAction->setCheckable(true);
    // The menu shows a tick for an open panel, which an icon would hide.
    problemsAction->setIconVisibleInMenu(false);
}

void MainWindow::connectProblemsPanel() {
    connect(problemsAction, &QAction::triggered, problemsPanel_, [this](bool shown) {
        if (shown) {
            problemsPanel_->reveal(-1);
        } else {
            problemsPanel_->hide();
        }
    });
    // Checked while the panel is open, also when it was closed by its own
    // button or opened by a file; a minimised window leaves it checked.
    connect(problemsPanel_, &QDockWidget::visibilityChanged, problemsAction,
            [this] { problemsAction->setChecked(!problemsPanel_->isHidden()); });
    connect(notices_.get(), &SessionNotices::changed, problemsPanel_,
            [this](const SessionChange& change) {
                if (!change.has(Change::Errors)) {
                    return;
                }
                const bool fresh = change.has(Change::Opened) || change.has(Change::Closed);
                problemsPanel_->refresh(fresh);
                // A file that opens with errors shows them; one without (or
                // with warnings only) leaves the panel as it was.
                const ErrorRows& rows = session_.document().Errors;
                if (change.has(Change::Opened) &&
                    std::any_of(rows.begin(), rows.end(), [](const ErrorListEntry& row) {
                        return row.severity == Severity::Error;
                    })) {
                    problemsPanel_->reveal();
                }
            });
    connect(problemsPanel_, &ProblemsPanel::rowActivated, this, &MainWindow::jumpToErrorRow);
}

void MainWindow::buildLiveChecks() {
    session_.listWarnings(true, language_);
    neighbours_ = std::make_unique<NeighbourChecks>(session_, language_);
    marks_ =
        std::make_unique<ProblemMarks>(session_, *neighbours_, *handlingPages_, *vehicleDefPages_);
    problemsPanel_->listAlso(neighbours_->rows());
}

void MainWindow::connectLiveChecks() {
    connect(notices_.get(), &SessionNotices::changed, neighbours_.get(),
            &NeighbourChecks::followChange);
    connect(notices_.get(), &SessionNotices::changed, marks_.get(), &ProblemMarks::followChange);
    connect(neighbours_.get(), &NeighbourChecks::rowsChanged, this, [this] {
        problemsPanel_->refresh(false);
        marks_->refresh();
    });
}

void MainWindow::restoreDocks() {
    const QByteArray docks =
        QByteArray::fromBase64(desktop_.setting(kWindowSection, kDocksKey).toLatin1());
    if (!docks.isEmpty()) {
        restoreState(docks);
    }
    // The screens may be others than at the last close.
    problemsPanel_->keepOnScreen();
    problemsAction->setChecked(!problemsPanel_->isHidden());
}

void MainWindow::showRestored(const SessionChange& change) {
    if (!change.has(Change::Restored)) {
        return;
    }
    if (change.has(Change::FileTexts) && session_.kind() == DataFileKind::Handling) {
        handlingPages_->showAuthorAndDate();
    }
    // Whole tables came back: the list was shown again from its top.
    if (change.record < 0 && change.has(Change::List)) {
        return;
    }
    const bool oneRecord = change.has(Change::Value) || change.has(Change::Pairs);
    if (change.has(Change::Palette)) {
        colourPages_->showPalette();
        if (change.record >= 0) {
            colourPages_->selectColour(change.record);
        }
    }
    // A compared vehicle stays compared: its column shows the value.
    const bool compared =
        detailStack_->currentWidget() == compareView_ && compareView_->compares(change.record);
    if (oneRecord && change.record >= 0 && !compared) {
        vehicleList_->chooseEntry(session_.document().Autos.entryOfRecord(change.record));
        session_.select(change.record);
    }
    // The pages show the selected record anew, also a value being typed in.
    if (oneRecord || change.has(Change::Palette)) {
        showSelected();
    }
    // A view in place of the pages keeps the focus.
    if (change.has(Change::Value) && change.field >= 0 &&
        session_.kind() == DataFileKind::Handling && detailStack_->currentWidget() == pagesArea_) {
        handlingPages_->focusField(change.field);
    }
}

void MainWindow::buildVehicleTable() {
    tableAction = command(this, "tableAction", QIcon());
    tableAction->setCheckable(true);
    tableAction->setShortcut(QKeySequence(QStringLiteral("Ctrl+T")));
    viewMenu_->insertAction(languageMenu_->menuAction(), tableAction);
    vehicleTable_ = new VehicleTable(session_, desktop_);
}

void MainWindow::connectVehicleTable() {
    connect(tableAction, &QAction::toggled, this, [this](bool shown) {
        showDetailView(shown ? static_cast<QWidget*>(vehicleTable_) : pagesArea_);
        if (shown) {
            vehicleTable_->setFocus();
        } else {
            // The pages show the values edited in the table meanwhile.
            showChosenVehicle();
        }
    });
    connect(vehicleList_, &VehicleListPanel::filterTextChanged, vehicleTable_,
            &VehicleTable::setFilter);
    connect(notices_.get(), &SessionNotices::changed, vehicleTable_, &VehicleTable::followChange);
    connect(vehicleList_, &VehicleListPanel::vehicleChosen, vehicleTable_,
            [this](int record) { vehicleTable_->showRecord(record); });
    connect(vehicleTable_, &VehicleTable::vehicleChosen, this, [this](int record) {
        vehicleList_->chooseEntry(session_.document().Autos.entryOfRecord(record));
    });
}

}  // namespace wendrake
