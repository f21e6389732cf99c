#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>

#include "model/EditorDocument.h"
#include "model/LanguageTable.h"
#include "platform/Desktop.h"
#include "ui/FileCommands.h"
#include "ui/VehicleListModel.h"

namespace wendrake {

// The main window: the commands, the vehicle list, the language list and the
// pages of the loaded kind of file.
class frmMain final : public QMainWindow {
    Q_OBJECT
  public:
    frmMain(Desktop& desktop, QString programFolder, QWidget* parent = nullptr);

    // The start sequence; false when the program cannot run (no language
    // file), after telling the player.
    bool start();

    // Opens a file named on the command line or dropped on the window, with
    // the filter its name stands for.
    void openFile(const QString& path);

    EditorDocument& document() { return document_; }
    const LanguageTable& language() const { return language_; }

    QPushButton* cmdOpen;
    QPushButton* cmdSave;
    QPushButton* cmdSaveAs;
    QPushButton* cmdBackup;
    QPushButton* cmdUndo;
    QPushButton* cmdInfo;
    QPushButton* cmdHelp;
    QPushButton* cmdEnde;
    QGroupBox* FrameAutos;
    QComboBox* cmbAutos;
    QGroupBox* FrameSprache;
    QComboBox* cmbSprache;
    QGroupBox* frameAuthor;
    QLineEdit* txtAuthor;
    QGroupBox* frameDate;
    QLineEdit* txtDate;

  public slots:
    void cmdOpen_Click();
    void cmdSave_Click();
    void cmdSaveAs_Click();
    void cmdEnde_Click();
    void cmbAutos_Click();
    void cmbSprache_Click();
    void txtAuthor_Change();
    void txtDate_Change();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildWindow();
    void connectHandlers();
    void startLanguage();
    void loadLanguageFile();
    void applyLanguage();
    void showOpenResult(const FileCommands::OpenResult& result);
    void showLoadedState(bool loaded);
    void setCaptionPath(const QString& path);
    QString text(int number) const;

    EditorDocument document_;
    LanguageTable language_;
    Desktop& desktop_;
    QString programFolder_;
    FileCommands files_;
    VehicleListModel* vehicleModel_;
};

}  // namespace wendrake
