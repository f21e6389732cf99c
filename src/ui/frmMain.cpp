#include "frmMain.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "model/FileHeader.h"
#include "platform/LanguageFiles.h"

namespace wendrake {

namespace {

const QString kCaption = QStringLiteral("Zerrin PC-Version - CAR-Editor");

template <typename Widget>
Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QPushButton* button(const char* name, const char* designText) {
    return named(new QPushButton(QString::fromUtf8(designText)), name);
}

QGroupBox* frame(const char* name, const char* designText, QWidget* content) {
    auto* box = named(new QGroupBox(QString::fromUtf8(designText)), name);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(content);
    return box;
}

}  // namespace

frmMain::frmMain(Desktop& desktop, QString programFolder, QWidget* parent)
    : QMainWindow(parent),
      desktop_(desktop),
      programFolder_(std::move(programFolder)),
      files_(document_, desktop_, language_),
      vehicleModel_(new VehicleListModel(document_.Autos, this)) {
    setObjectName(QStringLiteral("frmMain"));
    buildWindow();
    connectHandlers();
}

void frmMain::buildWindow() {
    setWindowTitle(kCaption);

    cmdOpen = button("cmdOpen", "Lade Datei");
    cmdSave = button("cmdSave", "Speichern");
    cmdSaveAs = button("cmdSaveAs", "Speichern unter...");
    cmdBackup = button("cmdBackup", "Erstelle Backup");
    cmdUndo = button("cmdUndo", "Datei - Rückgängig");
    cmdInfo = button("cmdInfo", "Info");
    cmdHelp = button("cmdHelp", "Hilfe");
    cmdEnde = button("cmdEnde", "Beenden");
    cmdOpen->setShortcut(QKeySequence::Open);
    cmdSave->setShortcut(QKeySequence::Save);
    cmdSaveAs->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+S")));

    cmbAutos = named(new QComboBox, "cmbAutos");
    cmbAutos->setModel(vehicleModel_);
    cmbAutos->setMaxVisibleItems(25);
    cmbAutos->setMinimumContentsLength(16);
    cmbSprache = named(new QComboBox, "cmbSprache");
    txtAuthor = named(new QLineEdit, "txtAuthor");
    txtDate = named(new QLineEdit, "txtDate");

    FrameAutos = frame("FrameAutos", "Autos", cmbAutos);
    FrameSprache = frame("FrameSprache", "Sprache", cmbSprache);
    frameAuthor = frame("frameAuthor", "Autor", txtAuthor);
    frameDate = frame("frameDate", "Datum", txtDate);

    auto* commands = new QHBoxLayout;
    for (QPushButton* b : {cmdOpen, cmdSave, cmdSaveAs, cmdBackup, cmdUndo}) {
        commands->addWidget(b);
    }
    commands->addStretch();
    for (QPushButton* b : {cmdInfo, cmdHelp, cmdEnde}) {
        commands->addWidget(b);
    }

    auto* side = new QVBoxLayout;
    side->addWidget(FrameAutos);
    side->addWidget(FrameSprache);
    side->addStretch();

    auto* pages = new QVBoxLayout;
    pages->addWidget(frameAuthor);
    pages->addWidget(frameDate);
    pages->addStretch();

    auto* body = new QHBoxLayout;
    body->addLayout(side, 1);
    body->addLayout(pages, 3);

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->addLayout(commands);
    layout->addLayout(body, 1);
    setCentralWidget(central);

    showLoadedState(false);
}

void frmMain::connectHandlers() {
    connect(cmdOpen, &QPushButton::clicked, this, &frmMain::cmdOpen_Click);
    connect(cmdSave, &QPushButton::clicked, this, &frmMain::cmdSave_Click);
    connect(cmdSaveAs, &QPushButton::clicked, this, &frmMain::cmdSaveAs_Click);
    connect(cmdEnde, &QPushButton::clicked, this, &frmMain::cmdEnde_Click);
    connect(cmbAutos, &QComboBox::currentIndexChanged, this, &frmMain::cmbAutos_Click);
    connect(cmbSprache, &QComboBox::activated, this, &frmMain::cmbSprache_Click);
    connect(txtAuthor, &QLineEdit::textChanged, this, &frmMain::txtAuthor_Change);
    connect(txtDate, &QLineEdit::textChanged, this, &frmMain::txtDate_Change);
}

bool frmMain::start() {
    desktop_.setSetting(QStringLiteral("Exe"), QStringLiteral("Path"), programFolder_);
    desktop_.setSetting(QStringLiteral("Exe"), QStringLiteral("Version"),
                        QString::fromLatin1(kProgramVersion.data(),
                                            static_cast<qsizetype>(kProgramVersion.size())));
    document_.kind = DataFileKind::Handling;
    document_.SavedFlag = true;
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

void frmMain::loadLanguageFile() {
    // A language file that vanished while the program runs loads nothing:
    // the texts stay as they are.
    wendrake::loadLanguageFile(programFolder_, cmbSprache->currentText(), language_);
    applyLanguage();
}

void frmMain::applyLanguage() {
    FrameSprache->setTitle(text(0));
    FrameAutos->setTitle(text(1));
    cmdOpen->setText(text(8));
    cmdSave->setText(text(9));
    cmdBackup->setText(text(10));
    cmdEnde->setText(text(11));
    cmdSaveAs->setText(text(119));
    cmdHelp->setText(text(120));
    cmdUndo->setText(text(97));
    frameAuthor->setTitle(text(100));
    frameDate->setTitle(text(101));
}

void frmMain::cmbSprache_Click() {
    loadLanguageFile();
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
    setCaptionPath(result.path);
    const bool loaded = result.outcome == Outcome::Loaded;
    {
        const QSignalBlocker listBlocker(cmbAutos);
        vehicleModel_->reload();
        cmbAutos->setCurrentIndex(-1);
    }
    if (loaded) {
        const QSignalBlocker authorBlocker(txtAuthor);
        const QSignalBlocker dateBlocker(txtDate);
        txtAuthor->setText(fromBytes(document_.Author));
        txtDate->setText(fromBytes(document_.Date));
    }
    showLoadedState(loaded);
    if (loaded) {
        cmbAutos->setCurrentIndex(0);
        document_.SavedFlag = true;
    }
}

void frmMain::showLoadedState(bool loaded) {
    for (QWidget* control : {static_cast<QWidget*>(cmdSave), static_cast<QWidget*>(cmdSaveAs),
                             static_cast<QWidget*>(cmdBackup), static_cast<QWidget*>(cmdUndo),
                             static_cast<QWidget*>(FrameAutos), static_cast<QWidget*>(frameAuthor),
                             static_cast<QWidget*>(frameDate)}) {
        control->setEnabled(loaded);
    }
}

void frmMain::setCaptionPath(const QString& path) {
    setWindowTitle(kCaption + QStringLiteral(" [") + path + QStringLiteral("]"));
}

void frmMain::cmdSave_Click() {
    files_.save();
}

void frmMain::cmdSaveAs_Click() {
    if (files_.saveAs()) {
        setCaptionPath(QString::fromStdString(document_.FilePath));
    }
}

void frmMain::cmdEnde_Click() {
    close();
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (!document_.SavedFlag && !desktop_.askYesNo(text(Text::QuitUnsaved))) {
        event->ignore();
        return;
    }
    event->accept();
}

void frmMain::cmbAutos_Click() {
    if (document_.Autos.empty() || cmbAutos->currentIndex() < 0) {
        return;
    }
    const std::string& name = document_.Autos.at(cmbAutos->currentIndex());
    const auto& records = document_.HandlingRecords;
    int found = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (records[i].name() == name) {
            found = static_cast<int>(i);
            break;
        }
    }
    document_.CurrentHandling = found;
}

void frmMain::txtAuthor_Change() {
    document_.Author = toBytes(txtAuthor->text());
    document_.SavedFlag = false;
}

void frmMain::txtDate_Change() {
    document_.Date = toBytes(txtDate->text());
    document_.SavedFlag = false;
}

}  // namespace wendrake
