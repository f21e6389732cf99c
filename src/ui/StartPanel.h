// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAction>
#include <QLabel>
#include <QList>
#include <QPushButton>
#include <QStringList>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidget>

#include "model/LanguageTable.h"

namespace wendrake {

// What the window shows while no file is open: Open, and the recent files
// to open with one click.
class StartPanel final : public QWidget {
    Q_OBJECT
  public:
    explicit StartPanel(QAction* openAction, QWidget* parent = nullptr);

    void showFiles(const QStringList& paths);
    void applyLanguage(const LanguageTable& language);

  signals:
    void fileChosen(const QString& path);

  private:
    QToolButton* openButton_;
    // One button per recent file, newest first.
    QList<QPushButton*> fileButtons_;
    QLabel* noFileLabel_;
    QLabel* recentLabel_;
    QVBoxLayout* fileList_;
};

}  // namespace wendrake
