// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QWidget>

#include "Desktop.h"

namespace wendrake {

// The real desktop: Qt's dialogs and message boxes, the user's settings
// store and the file system.
class QtDesktop final : public Desktop {
  public:
    void setParentWindow(QWidget* window) { parent_ = window; }

    // For runs without a person in front (screenshots): messages go to the
    // error output, questions are answered No and dialogs are cancelled.
    void setUnattended(bool unattended) { unattended_ = unattended; }

    bool askYesNo(const QString& text) override;
    int askChoice(const QString& text, const QStringList& choices) override;
    void showInformation(const QString& text) override;
    void showStatus(const QString& text) override;
    void showNotice(const QString& text) override;
    std::optional<OpenDialogChoice> chooseFileToOpen(const OpenDialogRequest& request) override;
    std::optional<QString> chooseFileToSave(const SaveDialogRequest& request) override;
    std::optional<QColor> chooseColour(const QColor& initial, const QString& title) override;
    QString setting(const QString& section, const QString& key, const QString& fallback) override;
    void setSetting(const QString& section, const QString& key, const QString& value) override;
    void setBusy(bool busy) override;
    bool fileExists(const QString& path) override;
    FileBytes readFile(const QString& path) override;
    FileResult writeFile(const QString& path, std::string_view bytes) override;
    FileResult copyFile(const QString& from, const QString& to) override;
    bool openDocument(const QString& path) override;

  private:
    QPointer<QWidget> parent_;
    int busyDepth_ = 0;
    bool unattended_ = false;
};

}  // namespace wendrake
