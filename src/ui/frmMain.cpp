// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmMain.h"

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

frmMain::frmMain(Desktop& desktop, QString programFolder, QWidget* parent)
    : QMainWindow(parent),
      desktop_(desktop),
      programFolder_(std::move(programFolder)),
      files_(session_, desktop_, language_),
      commands_(session_, desktop_, language_, programFolder_),
      vehicleModel_(new VehicleListModel(session_.document().Autos, this)),
      notices_(std::make_unique<SessionNotices>(session_)) {
    setObjectName(QStringLiteral("frmMain"));
    resize(1280, 800);
    buildWindow();
    connectHandlers();
}

frmMain::~frmMain() = default;

void frmMain::buildActions() {
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
    setStandardKeys(openAction, QKeySequence::Open, "Ctrl+O");
    setStandardKeys(saveAction, QKeySequence::Save, "Ctrl+S");
    setStandardKeys(saveAsAction, QKeySequence::SaveAs, "Ctrl+Shift+S");
    setStandardKeys(quitAction, QKeySequence::Quit, "Ctrl+Q");
    setStandardKeys(manualAction, QKeySequence::HelpContents, "F1");
    quitAction->setMenuRole(QAction::QuitRole);
    aboutAction->setMenuRole(QAction::AboutRole);
}

void frmMain::buildMenusAndToolbar() {
    fileMenu_ = menuBar()->addMenu(QString());
    fileMenu_->addActions({openAction, saveAction, saveAsAction});
    fileMenu_->addSeparator();
    fileMenu_->addActions({backupAction, revertAction});
    fileMenu_->addSeparator();
    fileMenu_->addActions({importAction, exportAction});
    fileMenu_->addSeparator();
    fileMenu_->addAction(quitAction);
    helpMenu_ = menuBar()->addMenu(QString());
    helpMenu_->addActions({manualAction, aboutAction});

    auto* tools = named(addToolBar(QString()), "commandBar");
    tools->setMovable(false);
    tools->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    tools->addActions({openAction, saveAction, saveAsAction});
    tools->addSeparator();
    tools->addActions({backupAction, revertAction});
    tools->addSeparator();
    tools->addAction(manualAction);
}

void frmMain::buildWindow() {
    setWindowTitle(kProgramName);
    setAcceptDrops(true);

    buildActions();
    buildMenusAndToolbar();
    chkKeepLayout =
        named(new QCheckBox(QStringLiteral("Aufbau der Datei beibehalten")), "chkKeepLayout");
    chkBackupFirst = named(new QCheckBox(QStringLiteral("Datei vor dem ersten Speichern sichern")),
                           "chkBackupFirst");

    cmbAutos = named(new QComboBox, "cmbAutos");
    // A list of 32767 names stays fast: it drops down as a list with a scroll
    // bar, every row as high as the first, and the box is as wide as 16
    // characters instead of measuring every name (the names have no icons:
    // no room is kept for one).
    auto* dropDown = new ListDropDownStyle(QStyleFactory::create(QApplication::style()->name()));
    dropDown->setParent(cmbAutos);
    cmbAutos->setStyle(dropDown);
    cmbAutos->setModel(vehicleModel_);
    cmbAutos->setMaxVisibleItems(25);
    cmbAutos->setMinimumContentsLength(16);
    cmbAutos->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cmbAutos->setIconSize(QSize(0, 0));
    if (auto* list = qobject_cast<QListView*>(cmbAutos->view())) {
        list->setUniformItemSizes(true);
        list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    }
    cmbSprache = named(new QComboBox, "cmbSprache");
    FrameAutos = frame("FrameAutos", "Autos", cmbAutos);
    FrameSprache = frame("FrameSprache", "Sprache", cmbSprache);

    SSTab1 = new HandlingPages(session_);
    SSTab2 = new VehicleDefPages(session_);
    SSTab3 = new ColourPages(session_, desktop_);
    errorWindow = new frmError(session_.document().Errors, this);

    FrameAutos->setMinimumWidth(230);
    FrameSprache->setMinimumWidth(230);
    auto* side = new QVBoxLayout;
    side->addWidget(FrameAutos);
    side->addWidget(FrameSprache);
    side->addStretch();

    // The three page sets lie in one place; only the one of the loaded kind
    // is visible.
    auto* pages = new QVBoxLayout;
    for (QTabWidget* tabs : {static_cast<QTabWidget*>(SSTab1), static_cast<QTabWidget*>(SSTab2),
                             static_cast<QTabWidget*>(SSTab3)}) {
        pages->addWidget(tabs);
    }

    auto* body = new QHBoxLayout;
    body->addLayout(side, 0);
    body->addLayout(pages, 1);

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    auto* saveSettings = new QHBoxLayout;
    saveSettings->addWidget(chkKeepLayout);
    saveSettings->addWidget(chkBackupFirst);
    saveSettings->addStretch();
    layout->addLayout(saveSettings);
    layout->addLayout(body, 1);
    setCentralWidget(central);

    showPagesOf(DataFileKind::Handling, false);
}

void frmMain::connectHandlers() {
    connect(openAction, &QAction::triggered, this, &frmMain::cmdOpen_Click);
    connect(saveAction, &QAction::triggered, this, &frmMain::cmdSave_Click);
    connect(saveAsAction, &QAction::triggered, this, &frmMain::cmdSaveAs_Click);
    connect(backupAction, &QAction::triggered, this, &frmMain::cmdBackup_Click);
    connect(revertAction, &QAction::triggered, this, &frmMain::cmdUndo_Click);
    connect(importAction, &QAction::triggered, this, &frmMain::cmdImportCar_Click);
    connect(exportAction, &QAction::triggered, this, &frmMain::cmdExportCar_Click);
    connect(quitAction, &QAction::triggered, this, &frmMain::cmdEnde_Click);
    connect(manualAction, &QAction::triggered, this, &frmMain::cmdHelp_Click);
    connect(aboutAction, &QAction::triggered, this, &frmMain::cmdInfo_Click);
    connect(chkKeepLayout, &QCheckBox::toggled, this,
            [this](bool keep) { files_.setKeepsLayout(keep); });
    connect(chkBackupFirst, &QCheckBox::toggled, this,
            [this](bool backup) { files_.setBacksUpFirst(backup); });
    connect(SSTab1->cmdImportCar, &QPushButton::clicked, this, &frmMain::cmdImportCar_Click);
    connect(SSTab1->cmdExportCar, &QPushButton::clicked, this, &frmMain::cmdExportCar_Click);
    connect(cmbAutos, &QComboBox::currentIndexChanged, this, &frmMain::cmbAutos_Click);
    connect(cmbSprache, &QComboBox::activated, this, &frmMain::cmbSprache_Click);
    SessionNotices* notices = notices_.get();
    connect(notices, &SessionNotices::changed, this, &frmMain::sessionChanged);
    connect(notices, &SessionNotices::changed, errorWindow, [this](const SessionChange& change) {
        if (change.has(Change::Errors)) {
            errorWindow->rowsReplaced();
        }
    });
    connect(notices, &SessionNotices::changed, SSTab1, [this](const SessionChange& change) {
        // Not on the player's own typing, which would move the cursor.
        if (change.has(Change::Opened) || change.has(Change::Reverted)) {
            SSTab1->showAuthorAndDate();
        }
    });
    connect(errorWindow, &frmError::rowActivated, this, &frmMain::jumpToErrorRow);
}

bool frmMain::start() {
    desktop_.setSetting(QStringLiteral("Exe"), QStringLiteral("Path"), programFolder_);
    desktop_.setSetting(QStringLiteral("Exe"), QStringLiteral("Version"),
                        QString::fromLatin1(kProgramVersion.data(),
                                            static_cast<qsizetype>(kProgramVersion.size())));
    showPagesOf(DataFileKind::Handling, false);
    {
        const QSignalBlocker keepBlocker(chkKeepLayout);
        chkKeepLayout->setChecked(files_.keepsLayout());
        const QSignalBlocker backupBlocker(chkBackupFirst);
        chkBackupFirst->setChecked(files_.backsUpFirst());
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

QString frmMain::text(int number) const {
    return languageText(language_, number);
}

void frmMain::startLanguage() {
    const QStringList languages = listLanguages(programFolder_);
    {
        const QSignalBlocker blocker(cmbSprache);
        cmbSprache->clear();
        cmbSprache->addItems(languages);
        const QString chosen = wendrake::startLanguage(
            languages, desktop_.setting(QStringLiteral("Settings"), QStringLiteral("Language")));
        cmbSprache->setCurrentIndex(static_cast<int>(languages.indexOf(chosen)));
    }
    loadLanguageFile();
}

bool frmMain::loadLanguageFile() {
    const QString chosen = cmbSprache->currentText();
    const FileResult loaded = wendrake::loadLanguageFile(programFolder_, chosen, language_);
    if (!loaded.ok) {
        // The file vanished while the program runs: the texts stay as they
        // are, and the list shows the language they are in again.
        const QSignalBlocker blocker(cmbSprache);
        cmbSprache->setCurrentIndex(cmbSprache->findText(loadedLanguage_));
        desktop_.showNotice(errorNotice(loaded.code, loaded.description));
        return false;
    }
    loadedLanguage_ = chosen;
    applyLanguage();
    return true;
}

void frmMain::applyLanguage() {
    FrameSprache->setTitle(text(0));
    FrameAutos->setTitle(text(1));
    // Only the texts change: the keys belong to the actions, not to a text.
    fileMenu_->setTitle(text(Text::FileMenu));
    helpMenu_->setTitle(text(Text::HelpMenu));
    const std::pair<QAction*, int> items[] = {
        {openAction, Text::OpenItem},     {saveAction, Text::SaveItem},
        {saveAsAction, Text::SaveAsItem}, {backupAction, Text::BackupItem},
        {revertAction, Text::RevertItem}, {importAction, Text::ImportItem},
        {exportAction, Text::ExportItem}, {quitAction, Text::QuitItem},
        {manualAction, Text::ManualItem}, {aboutAction, Text::AboutItem}};
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
    chkKeepLayout->setText(text(Text::KeepLayout));
    chkBackupFirst->setText(text(Text::BackupFirst));
    useStorableTextLanguage(language_);
    SSTab1->applyLanguage(language_);
    SSTab2->applyLanguage(language_);
    SSTab3->applyLanguage(language_);
    errorWindow->applyLanguage(language_);
    if (exportWindow) {
        exportWindow->applyLanguage(language_);
    }
}

void frmMain::cmbSprache_Click() {
    if (!loadLanguageFile()) {
        return;
    }
    desktop_.setSetting(QStringLiteral("Settings"), QStringLiteral("Language"),
                        cmbSprache->currentText());
    cmbAutos_Click();
}

void frmMain::cmdOpen_Click() {
    showOpenResult(files_.open());
}

void frmMain::openFile(const QString& path) {
    // The path is remembered for the open dialog: make it independent of the
    // folder the program was started from.
    const QString absolute = QFileInfo(path).absoluteFilePath();
    showOpenResult(files_.openChosen(absolute, FileCommands::filterPositionFor(absolute)));
}

void frmMain::showOpenResult(const FileCommands::OpenResult& result) {
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

void frmMain::sessionChanged(const SessionChange& change) {
    const EditorDocument& document = session_.document();
    if (change.has(Change::Opened) || change.has(Change::Closed)) {
        // The names it lists belong to the file that was loaded before.
        if (exportWindow) {
            exportWindow->close();
        }
        showPagesOf(document.kind, session_.isLoaded());
    }
    if (change.has(Change::Opened) || change.has(Change::Reverted) ||
        (change.has(Change::List) && change.record < 0)) {
        showListFromTop();
    } else if (change.has(Change::Closed)) {
        const QSignalBlocker listBlocker(cmbAutos);
        vehicleModel_->reload();
        cmbAutos->setCurrentIndex(-1);
    } else if (change.has(Change::List)) {
        // A rename: the entry keeps its place and the selection; no display runs.
        vehicleModel_->entryChanged(document.Autos.entryOfRecord(change.record));
    }
    if (change.has(Change::SavedState) || change.has(Change::Path)) {
        showCaption();
    }
}

void frmMain::showPagesOf(DataFileKind kind, bool loaded) {
    SSTab1->setVisible(kind == DataFileKind::Handling);
    SSTab2->setVisible(kind == DataFileKind::VehicleDefs);
    SSTab3->setVisible(kind == DataFileKind::CarColours);
    for (QAction* action : {saveAction, saveAsAction, backupAction, revertAction}) {
        action->setEnabled(loaded);
    }
    // Vehicles move between handling files only.
    importAction->setEnabled(loaded && kind == DataFileKind::Handling);
    exportAction->setEnabled(loaded && kind == DataFileKind::Handling);
    for (QWidget* control : {static_cast<QWidget*>(FrameAutos), static_cast<QWidget*>(SSTab1),
                             static_cast<QWidget*>(SSTab2), static_cast<QWidget*>(SSTab3)}) {
        control->setEnabled(false);
    }
    if (!loaded) {
        return;
    }
    FrameAutos->setEnabled(true);
    // Values of no vehicle cannot be edited: without one shown, the pages
    // stay disabled. The palette is the file's own and always editable.
    const bool vehicleShown = session_.selected() >= 0;
    switch (kind) {
        case DataFileKind::Handling:
            SSTab1->setEnabled(vehicleShown);
            break;
        case DataFileKind::VehicleDefs:
            SSTab2->setEnabled(vehicleShown);
            break;
        case DataFileKind::CarColours:
            SSTab3->setEnabled(true);
            break;
    }
}

void frmMain::showCaption() {
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

void frmMain::cmdSave_Click() {
    files_.save();
}

void frmMain::cmdSaveAs_Click() {
    files_.saveAs();
}

void frmMain::showListFromTop() {
    {
        const QSignalBlocker listBlocker(cmbAutos);
        vehicleModel_->reload();
        cmbAutos->setCurrentIndex(-1);
    }
    if (session_.kind() == DataFileKind::CarColours) {
        SSTab3->showPalette();
    }
    // With the signals running, so the first vehicle is shown; a file
    // without vehicles shows empty pages.
    if (session_.document().Autos.empty()) {
        session_.select(-1);
        showSelected();
    }
    cmbAutos->setCurrentIndex(0);
}

void frmMain::cmdBackup_Click() {
    commands_.backup();
}

void frmMain::cmdUndo_Click() {
    commands_.undo();
}

void frmMain::cmdImportCar_Click() {
    commands_.importVehicles();
}

void frmMain::cmdExportCar_Click() {
    if (!session_.isLoaded() || session_.kind() != DataFileKind::Handling) {
        return;
    }
    if (!exportWindow) {
        exportWindow = new frmExport(session_.document(), desktop_, this);
    }
    exportWindow->applyLanguage(language_);
    exportWindow->fill(session_.document().Autos);
    exportWindow->show();
    exportWindow->raise();
    exportWindow->activateWindow();
}

void frmMain::cmdInfo_Click() {
    commands_.info();
}

void frmMain::cmdHelp_Click() {
    commands_.help();
}

void frmMain::cmdEnde_Click() {
    close();
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (!session_.isSaved() && !desktop_.askYesNo(text(Text::QuitUnsaved))) {
        event->ignore();
        return;
    }
    desktop_.setSetting(kWindowSection, kGeometryKey,
                        QString::fromLatin1(saveGeometry().toBase64()));
    errorWindow->close();
    if (exportWindow) {
        exportWindow->close();
    }
    event->accept();
}

void frmMain::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.first().isLocalFile()) {
        event->acceptProposedAction();
    }
}

void frmMain::dropEvent(QDropEvent* event) {
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

void frmMain::cmbAutos_Click() {
    const VehicleList& list = session_.document().Autos;
    const int selected = cmbAutos->currentIndex();
    if (selected < 0 || selected >= list.size()) {
        return;
    }
    // Each entry shows its own record, also among vehicles of one name.
    session_.select(list.recordAt(selected));
    showSelected();
}

void frmMain::showSelected() {
    const int record = session_.selected();
    const VehicleList& list = session_.document().Autos;
    const int entry = list.entryOfRecord(record);
    const QString name = entry >= 0 ? shownText(list.at(entry)) : QString();
    switch (session_.kind()) {
        case DataFileKind::Handling:
            SSTab1->showPicture(programFolder_, name);
            SSTab1->showCurrentRecord();
            break;
        case DataFileKind::VehicleDefs:
            SSTab2->showPicture(programFolder_, name);
            SSTab2->showCurrentRecord();
            break;
        case DataFileKind::CarColours:
            SSTab3->showModel(record);
            break;
    }
    showPagesOf(session_.kind(), session_.isLoaded());
}

void frmMain::jumpToErrorRow(const ErrorListEntry& row) {
    const int entry = session_.document().Autos.indexOf(row.car());
    if (entry < 0) {
        return;
    }
    cmbAutos->setCurrentIndex(entry);
    activateWindow();
    if (session_.kind() == DataFileKind::Handling) {
        SSTab1->focusField(row.field >= 0 ? row.field : 0);
    }
}

}  // namespace wendrake
