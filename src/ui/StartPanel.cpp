// SPDX-License-Identifier: GPL-3.0-or-later
#include "StartPanel.h"

#include <QDir>
#include <QFileInfo>

#include "io/LanguageFiles.h"
#include "ui/RecentMenu.h"

namespace wendrake {

StartPanel::StartPanel(QAction* openAction, QWidget* parent)
    : QWidget(parent),
      openButton_(new QToolButton),
      noFileLabel_(new QLabel),
      recentLabel_(new QLabel),
      fileList_(new QVBoxLayout) {
    setObjectName(QStringLiteral("startPanel"));
    openButton_->setObjectName(QStringLiteral("startOpenButton"));
    openButton_->setDefaultAction(openAction);
    openButton_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QFont heading = recentLabel_->font();
    heading.setBold(true);
    recentLabel_->setFont(heading);

    // A narrow column in the middle: the eye finds it at once in a wide window.
    auto* column = new QVBoxLayout;
    column->addWidget(noFileLabel_);
    column->addWidget(openButton_, 0, Qt::AlignLeft);
    column->addSpacing(fontMetrics().height());
    column->addWidget(recentLabel_);
    column->addLayout(fileList_);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addLayout(column, 2);
    row->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addStretch(1);
    layout->addLayout(row);
    layout->addStretch(2);
}

void StartPanel::showFiles(const QStringList& paths) {
    // Later: the list changes while a click on one of its buttons is handled.
    for (QPushButton* button : fileButtons_) {
        button->hide();
        button->deleteLater();
    }
    fileButtons_.clear();
    for (const QString& path : paths) {
        const QFileInfo file(path);
        // The name first, where the eye looks; the folder tells equal names apart.
        auto* button = new QPushButton(menuSafeText(file.fileName() + QStringLiteral("  \u2014  ") +
                                                    QDir::toNativeSeparators(file.absolutePath())));
        button->setObjectName(QStringLiteral("recentFileButton"));
        button->setFlat(true);
        button->setToolTip(QDir::toNativeSeparators(path));
        button->setStyleSheet(QStringLiteral("text-align: left"));
        connect(button, &QPushButton::clicked, this, [this, path] { emit fileChosen(path); });
        fileList_->addWidget(button);
        fileButtons_ << button;
    }
    recentLabel_->setVisible(!paths.isEmpty());
}

void StartPanel::applyLanguage(const LanguageTable& language) {
    noFileLabel_->setText(languageText(language, Text::NoFileOpen));
    recentLabel_->setText(languageText(language, Text::RecentFiles));
}

}  // namespace wendrake
