// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QListView>
#include <QMenuBar>
#include <QMimeData>
#include <QProxyStyle>
#include <QSignalBlocker>
#include <QStyleFactory>
#include <QToolBar>
#include <QVBoxLayout>

#include "io/LanguageFiles.h"
#include "model/FileHeader.h"
#include "ui/SessionNotices.h"
#include "ui/ShownText.h"
#include "ui/StorableText.h"

namespace wendrake {

namespace {

const QString kProgramName = QStringLiteral("Wendrake");
const QString kWindowSection = QStringLiteral("Window");
const QString kGeometryKey = QStringLiteral("Geometry");

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

QGroupBox* frame(const char* name, const char* designText, QWidget* content) {
    auto* box = named(new QGroupBox(QString::fromUtf8(designText)), name);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(content);
    return box;
}

// The vehicle list drops down as a plain list of its visible rows. Shown as
// a menu (the Fusion way), it would measure all of up to 32767 names every
// time it opens.
class ListDropDownStyle final : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_ComboBox_Popup) {
            return 0;
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

}  // namespace

MainWindow::MainWindow(Desktop& desktop, QString programFolder, QWidget* parent)
    : QMainWindow(parent),
      desktop_(desktop),
      programFolder_(std::move(programFolder)),
      files_(session_, desktop_, language_),
      commands_(session_, desktop_, language_, programFolder_),
      vehicleModel_(new VehicleListModel(session_.document().Autos, this)),
      notices_(std::make_unique<SessionNotices>(session_)),
      undoHistory_(std::make_unique<UndoHistory>(session_)) {
    setObjectName(QStringLiteral("MainWindow"));
    resize(1280, 800);
    buildWindow();
    connectHandlers();
}

MainWindow::~MainWindow() = default;

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
                           themeIcon(this, "help-contents", QStyle::SP_DialogHelpButton));
    aboutAction = command(this, "aboutAction",
                          themeIcon(this, "help-about", QStyle::SP_MessageBoxInformation));
    undoAction = command(this, "undoAction", themeIcon(this, "edit-undo", QStyle::SP_ArrowBack));
    redoAction = command(this, "redoAction", themeIcon(this, "edit-redo", QStyle::SP_ArrowForward));
    findAction = command(this, "findAction",
                         themeIcon(this, "edit-find", QStyle::SP_FileDialogContentsView));
    problemsAction = command(this, "problemsAction",
                             themeIcon(this, "dialog-warning", QStyle::SP_MessageBoxWarning));
    setStandardKeys(openAction, QKeySequence::Open, "Ctrl+O");
    setStandardKeys(saveAction, QKeySequence::Save, "Ctrl+S");
    setStandardKeys(saveAsAction, QKeySequence::SaveAs, "Ctrl+Shift+S");
    setStandardKeys(quitAction, QKeySequence::Quit, "Ctrl+Q");
    setStandardKeys(manualAction, QKeySequence::HelpContents, "F1");
    setStandardKeys(undoAction, QKeySequence::Undo, "Ctrl+Z");
    setStandardKeys(redoAction, QKeySequence::Redo, "Ctrl+Y");
    setStandardKeys(findAction, QKeySequence::Find, "Ctrl+F");
    // Each is enabled once the part of the window it works on is built.
    for (QAction* action : {findAction, problemsAction}) {
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
    helpMenu_ = menuBar()->addMenu(QString());
    helpMenu_->addActions({manualAction, aboutAction});

    auto* tools = named(addToolBar(QString()), "commandBar");
    tools->setMovable(false);
    tools->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    tools->addActions({openAction, saveAction, saveAsAction});
    tools->addSeparator();
    tools->addActions({backupAction, revertAction});
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
    keepLayoutBox =
        named(new QCheckBox(QStringLiteral("Aufbau der Datei beibehalten")), "keepLayoutBox");
    backupFirstBox = named(new QCheckBox(QStringLiteral("Datei vor dem ersten Speichern sichern")),
                           "backupFirstBox");

    vehicleChooser = named(new QComboBox, "vehicleChooser");
    // A list of 32767 names stays fast: it drops down as a list with a scroll
    // bar, every row as high as the first, and the box is as wide as 16
    // characters instead of measuring every name (the names have no icons:
    // no room is kept for one).
    auto* dropDown = new ListDropDownStyle(QStyleFactory::create(QApplication::style()->name()));
    dropDown->setParent(vehicleChooser);
    vehicleChooser->setStyle(dropDown);
    vehicleChooser->setModel(vehicleModel_);
    vehicleChooser->setMaxVisibleItems(25);
    vehicleChooser->setMinimumContentsLength(16);
    vehicleChooser->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    vehicleChooser->setIconSize(QSize(0, 0));
    if (auto* list = qobject_cast<QListView*>(vehicleChooser->view())) {
        list->setUniformItemSizes(true);
        list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    }
    languageChooser = named(new QComboBox, "languageChooser");
    vehicleFrame = frame("vehicleFrame", "Autos", vehicleChooser);
    languageFrame = frame("languageFrame", "Sprache", languageChooser);

    handlingPages = new HandlingPages(session_);
    vehicleDefPages = new VehicleDefPages(session_);
    colourPages = new ColourPages(session_, desktop_);
    problemsWindow = new ProblemsWindow(session_.document().Errors, this);

    vehicleFrame->setMinimumWidth(230);
    languageFrame->setMinimumWidth(230);
    auto* side = new QVBoxLayout;
    side->addWidget(vehicleFrame);
    side->addWidget(languageFrame);
    side->addStretch();

    // The three page sets lie in one place; only the one of the loaded kind
    // is visible.
    auto* pages = new QVBoxLayout;
    for (QTabWidget* tabs :
         {static_cast<QTabWidget*>(handlingPages), static_cast<QTabWidget*>(vehicleDefPages),
          static_cast<QTabWidget*>(colourPages)}) {
        pages->addWidget(tabs);
    }

    auto* body = new QHBoxLayout;
    body->addLayout(side, 0);
    body->addLayout(pages, 1);

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    auto* saveSettings = new QHBoxLayout;
    saveSettings->addWidget(keepLayoutBox);
    saveSettings->addWidget(backupFirstBox);
    saveSettings->addStretch();
    layout->addLayout(saveSettings);
    layout->addLayout(body, 1);
    setCentralWidget(central);

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
    connect(keepLayoutBox, &QCheckBox::toggled, this,
            [this](bool keep) { files_.setKeepsLayout(keep); });
    connect(backupFirstBox, &QCheckBox::toggled, this,
            [this](bool backup) { files_.setBacksUpFirst(backup); });
    connect(handlingPages->cmdImportCar, &QPushButton::clicked, this, &MainWindow::importVehicles);
    connect(handlingPages->cmdExportCar, &QPushButton::clicked, this, &MainWindow::exportVehicles);
    connect(vehicleChooser, &QComboBox::currentIndexChanged, this, &MainWindow::showChosenVehicle);
    connect(languageChooser, &QComboBox::activated, this, &MainWindow::switchLanguage);
    SessionNotices* notices = notices_.get();
    connect(notices, &SessionNotices::changed, this, &MainWindow::sessionChanged);
    connect(notices, &SessionNotices::changed, problemsWindow, [this](const SessionChange& change) {
        if (change.has(Change::Errors)) {
            problemsWindow->rowsReplaced();
        }
    });
    connect(notices, &SessionNotices::changed, handlingPages, [this](const SessionChange& change) {
        // Not on the player's own typing, which would move the cursor.
        if (change.has(Change::Opened) || change.has(Change::Reverted)) {
            handlingPages->showAuthorAndDate();
        }
    });
    connect(problemsWindow, &ProblemsWindow::rowActivated, this, &MainWindow::jumpToErrorRow);
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
        const QSignalBlocker keepBlocker(keepLayoutBox);
        keepLayoutBox->setChecked(files_.keepsLayout());
        const QSignalBlocker backupBlocker(backupFirstBox);
        backupFirstBox->setChecked(files_.backsUpFirst());
    }
    const QByteArray geometry =
        QByteArray::fromBase64(desktop_.setting(kWindowSection, kGeometryKey).toLatin1());
    if (!geometry.isEmpty()) {
        restoreGeometry(geometry);
    }
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
    {
        const QSignalBlocker blocker(languageChooser);
        languageChooser->clear();
        languageChooser->addItems(languages);
        const QString chosen = wendrake::startLanguage(
            languages, desktop_.setting(QStringLiteral("Settings"), QStringLiteral("Language")));
        languageChooser->setCurrentIndex(static_cast<int>(languages.indexOf(chosen)));
    }
    loadLanguageFile();
}

bool MainWindow::loadLanguageFile() {
    const QString chosen = languageChooser->currentText();
    const FileResult loaded = wendrake::loadLanguageFile(programFolder_, chosen, language_);
    if (!loaded.ok) {
        // The file vanished while the program runs: the texts stay as they
        // are, and the list shows the language they are in again.
        const QSignalBlocker blocker(languageChooser);
        languageChooser->setCurrentIndex(languageChooser->findText(loadedLanguage_));
        desktop_.showNotice(errorNotice(loaded.code, loaded.description));
        return false;
    }
    loadedLanguage_ = chosen;
    applyLanguage();
    return true;
}

void MainWindow::applyLanguage() {
    languageFrame->setTitle(text(0));
    vehicleFrame->setTitle(text(1));
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
    // The toolbar shows the commands' short texts, which have no mnemonic.
    const std::pair<QAction*, int> shortTexts[] = {{openAction, 8},     {saveAction, 9},
                                                   {saveAsAction, 119}, {backupAction, 10},
                                                   {revertAction, 97},  {manualAction, 120}};
    for (const auto& [action, number] : shortTexts) {
        QString shortText = text(number);
        // A button names the dialog it opens with "..."; a toolbar does not.
        if (shortText.endsWith(QStringLiteral("..."))) {
            shortText.chop(3);
        }
        action->setIconText(shortText);
    }
    keepLayoutBox->setText(text(Text::KeepLayout));
    backupFirstBox->setText(text(Text::BackupFirst));
    useStorableTextLanguage(language_);
    handlingPages->applyLanguage(language_);
    vehicleDefPages->applyLanguage(language_);
    colourPages->applyLanguage(language_);
    problemsWindow->applyLanguage(language_);
    if (exportDialog) {
        exportDialog->applyLanguage(language_);
    }
}

void MainWindow::switchLanguage() {
    if (!loadLanguageFile()) {
        return;
    }
    desktop_.setSetting(QStringLiteral("Settings"), QStringLiteral("Language"),
                        languageChooser->currentText());
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

void MainWindow::showOpenResult(const FileCommands::OpenResult& result) {
    using Outcome = FileCommands::OpenOutcome;
    if (result.outcome == Outcome::Cancelled || result.outcome == Outcome::Missing) {
        return;
    }
    // A failed open names the file that failed, not the one loaded before.
    if (result.outcome == Outcome::Failed) {
        titleFile_ = result.path;
        showCaption();
    }
}

void MainWindow::sessionChanged(const SessionChange& change) {
    const EditorDocument& document = session_.document();
    if (change.has(Change::Opened) || change.has(Change::Closed)) {
        // The names it lists belong to the file that was loaded before.
        if (exportDialog) {
            exportDialog->close();
        }
        showPagesOf(document.kind, session_.isLoaded());
    }
    if (change.has(Change::Opened) || change.has(Change::Reverted) ||
        (change.has(Change::List) && change.record < 0)) {
        showListFromTop();
    } else if (change.has(Change::Closed)) {
        const QSignalBlocker listBlocker(vehicleChooser);
        vehicleModel_->reload();
        vehicleChooser->setCurrentIndex(-1);
    } else if (change.has(Change::List)) {
        // A rename: the entry keeps its place and the selection; no display runs.
        vehicleModel_->entryChanged(document.Autos.entryOfRecord(change.record));
    }
    if (change.has(Change::SavedState) || change.has(Change::Path)) {
        showCaption();
    }
}

void MainWindow::showPagesOf(DataFileKind kind, bool loaded) {
    handlingPages->setVisible(kind == DataFileKind::Handling);
    vehicleDefPages->setVisible(kind == DataFileKind::VehicleDefs);
    colourPages->setVisible(kind == DataFileKind::CarColours);
    for (QAction* action : {saveAction, saveAsAction, backupAction, revertAction}) {
        action->setEnabled(loaded);
    }
    // Vehicles move between handling files only.
    importAction->setEnabled(loaded && kind == DataFileKind::Handling);
    exportAction->setEnabled(loaded && kind == DataFileKind::Handling);
    for (QWidget* control :
         {static_cast<QWidget*>(vehicleFrame), static_cast<QWidget*>(handlingPages),
          static_cast<QWidget*>(vehicleDefPages), static_cast<QWidget*>(colourPages)}) {
        control->setEnabled(false);
    }
    if (!loaded) {
        return;
    }
    vehicleFrame->setEnabled(true);
    // Values of no vehicle cannot be edited: without one shown, the pages
    // stay disabled. The palette is the file's own and always editable.
    const bool vehicleShown = session_.selected() >= 0;
    switch (kind) {
        case DataFileKind::Handling:
            handlingPages->setEnabled(vehicleShown);
            break;
        case DataFileKind::VehicleDefs:
            vehicleDefPages->setEnabled(vehicleShown);
            break;
        case DataFileKind::CarColours:
            colourPages->setEnabled(true);
            break;
    }
}

void MainWindow::showCaption() {
    if (session_.isLoaded()) {
        titleFile_ = QString::fromStdString(session_.path());
    }
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
}

void MainWindow::save() {
    files_.save();
}

void MainWindow::saveAs() {
    files_.saveAs();
}

void MainWindow::showListFromTop() {
    {
        const QSignalBlocker listBlocker(vehicleChooser);
        vehicleModel_->reload();
        vehicleChooser->setCurrentIndex(-1);
    }
    if (session_.kind() == DataFileKind::CarColours) {
        colourPages->showPalette();
    }
    // With the signals running, so the first vehicle is shown; a file
    // without vehicles shows empty pages.
    if (session_.document().Autos.empty()) {
        session_.select(-1);
        showSelected();
    }
    vehicleChooser->setCurrentIndex(0);
}

void MainWindow::createBackup() {
    commands_.backup();
}

void MainWindow::revertToSaved() {
    commands_.undo();
}

void MainWindow::importVehicles() {
    commands_.importVehicles();
}

void MainWindow::exportVehicles() {
    if (!session_.isLoaded() || session_.kind() != DataFileKind::Handling) {
        return;
    }
    if (!exportDialog) {
        exportDialog = new ExportDialog(session_.document(), desktop_, this);
    }
    exportDialog->applyLanguage(language_);
    exportDialog->fill(session_.document().Autos);
    exportDialog->show();
    exportDialog->raise();
    exportDialog->activateWindow();
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
    if (!session_.isSaved() && !desktop_.askYesNo(text(Text::QuitUnsaved))) {
        event->ignore();
        return;
    }
    desktop_.setSetting(kWindowSection, kGeometryKey,
                        QString::fromLatin1(saveGeometry().toBase64()));
    problemsWindow->close();
    if (exportDialog) {
        exportDialog->close();
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
    if (!session_.isSaved() && !desktop_.askYesNo(text(Text::OpenUnsaved))) {
        return;
    }
    openFile(urls.first().toLocalFile());
}

void MainWindow::showChosenVehicle() {
    const VehicleList& list = session_.document().Autos;
    const int selected = vehicleChooser->currentIndex();
    if (selected < 0 || selected >= list.size()) {
        return;
    }
    // Each entry shows its own record, also among vehicles of one name.
    session_.select(list.recordAt(selected));
    showSelected();
}

void MainWindow::showSelected() {
    const int record = session_.selected();
    const VehicleList& list = session_.document().Autos;
    const int entry = list.entryOfRecord(record);
    const QString name = entry >= 0 ? shownText(list.at(entry)) : QString();
    switch (session_.kind()) {
        case DataFileKind::Handling:
            handlingPages->showPicture(programFolder_, name);
            handlingPages->showCurrentRecord();
            break;
        case DataFileKind::VehicleDefs:
            vehicleDefPages->showPicture(programFolder_, name);
            vehicleDefPages->showCurrentRecord();
            break;
        case DataFileKind::CarColours:
            colourPages->showModel(record);
            break;
    }
    showPagesOf(session_.kind(), session_.isLoaded());
}

void MainWindow::jumpToErrorRow(const ErrorListEntry& row) {
    const int entry = session_.document().Autos.indexOf(row.car());
    if (entry < 0) {
        return;
    }
    vehicleChooser->setCurrentIndex(entry);
    activateWindow();
    if (session_.kind() == DataFileKind::Handling) {
        handlingPages->focusField(row.field >= 0 ? row.field : 0);
    }
}

void MainWindow::showRestored(const SessionChange& change) {
    if (!change.has(Change::Restored)) {
        return;
    }
    if (change.has(Change::FileTexts) && session_.kind() == DataFileKind::Handling) {
        handlingPages->showAuthorAndDate();
    }
    // Whole tables came back: the list was shown again from its top.
    if (change.record < 0 && change.has(Change::List)) {
        return;
    }
    const bool oneRecord = change.has(Change::Value) || change.has(Change::Pairs);
    if (change.has(Change::Palette)) {
        colourPages->showPalette();
        if (change.record >= 0) {
            colourPages->lstColors->setCurrentRow(change.record);
        }
    }
    if (oneRecord && change.record >= 0) {
        const int entry = session_.document().Autos.entryOfRecord(change.record);
        const QSignalBlocker listBlocker(vehicleChooser);
        vehicleChooser->setCurrentIndex(entry);
        session_.select(change.record);
    }
    // The pages show the selected record anew, also a value being typed in.
    if (oneRecord || change.has(Change::Palette)) {
        showSelected();
    }
    if (change.has(Change::Value) && change.field >= 0 &&
        session_.kind() == DataFileKind::Handling) {
        handlingPages->focusField(change.field);
    }
}

}  // namespace wendrake
