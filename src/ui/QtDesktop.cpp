// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtDesktop.h"

#include <QApplication>
#include <QColorDialog>
#include <QDebug>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QUrl>

#include "io/SettingsStore.h"

namespace wendrake {

namespace {

// Long enough to read a path, short enough not to be mistaken for the
// state of the file.
constexpr int kStatusMilliseconds = 8000;

QString title() {
    return QApplication::applicationDisplayName();
}

QStringList nameFilters(const QList<FileFilter>& filters) {
    QStringList names;
    for (const FileFilter& filter : filters) {
        // Qt reads the patterns from the last parentheses of the entry.
        names << QStringLiteral("%1 (%2)").arg(filter.description,
                                               filter.patterns.join(QLatin1Char(' ')));
    }
    return names;
}

}  // namespace

bool QtDesktop::askYesNo(const QString& text) {
    if (unattended_) {
        qWarning().noquote() << text;
        return false;
    }
    return QMessageBox::question(parent_, title(), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

int QtDesktop::askChoice(const QString& text, const QStringList& choices) {
    if (unattended_) {
        qWarning().noquote() << text;
        return -1;
    }
    QMessageBox box(QMessageBox::Question, title(), text, QMessageBox::NoButton, parent_);
    QList<QAbstractButton*> buttons;
    for (qsizetype i = 0; i < choices.size(); ++i) {
        const bool cancels = i + 1 == choices.size();
        buttons << box.addButton(choices[i],
                                 cancels ? QMessageBox::RejectRole : QMessageBox::AcceptRole);
    }
    if (!buttons.isEmpty()) {
        box.setDefaultButton(qobject_cast<QPushButton*>(buttons.last()));
        box.setEscapeButton(buttons.last());
    }
    box.exec();
    return static_cast<int>(buttons.indexOf(box.clickedButton()));
}

void QtDesktop::showInformation(const QString& text) {
    if (unattended_) {
        qInfo().noquote() << text;
        return;
    }
    QMessageBox::information(parent_, title(), text);
}

void QtDesktop::showStatus(const QString& text) {
    // One line: the texts' line breaks would make the bar jump in height.
    const QString line = text.simplified();
    auto* window = qobject_cast<QMainWindow*>(parent_.data());
    if (unattended_ || window == nullptr) {
        qInfo().noquote() << line;
        return;
    }
    window->statusBar()->showMessage(line, kStatusMilliseconds);
}

void QtDesktop::showNotice(const QString& text) {
    if (unattended_) {
        qWarning().noquote() << text;
        return;
    }
    QMessageBox box(QMessageBox::Warning, title(), text, QMessageBox::Ok, parent_);
    // A notice may name a file or a value the player wants to copy.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    box.exec();
}

std::optional<OpenDialogChoice> QtDesktop::chooseFileToOpen(const OpenDialogRequest& request) {
    if (unattended_) {
        return std::nullopt;
    }
    QFileDialog dialog(parent_, request.title);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    const QStringList filters = nameFilters(request.filters);
    dialog.setNameFilters(filters);
    const int initial = request.initialFilter >= 1 ? request.initialFilter - 1 : 0;
    if (initial < filters.size()) {
        dialog.selectNameFilter(filters.at(initial));
    }
    if (!request.initialFile.isEmpty()) {
        dialog.selectFile(request.initialFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return OpenDialogChoice{dialog.selectedFiles().constFirst(),
                            static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1};
}

std::optional<QString> QtDesktop::chooseFileToSave(const SaveDialogRequest& request) {
    if (unattended_) {
        return std::nullopt;
    }
    const QString path = QFileDialog::getSaveFileName(parent_, request.title, request.initialFile,
                                                      nameFilters(request.filters).join(";;"));
    if (path.isEmpty()) {
        return std::nullopt;
    }
    return path;
}

std::optional<QColor> QtDesktop::chooseColour(const QColor& initial, const QString& title) {
    if (unattended_) {
        return std::nullopt;
    }
    const QColor chosen = QColorDialog::getColor(initial, parent_, title);
    if (!chosen.isValid()) {
        return std::nullopt;
    }
    return chosen;
}

QString QtDesktop::setting(const QString& section, const QString& key, const QString& fallback) {
    return readSetting(section, key, fallback);
}

void QtDesktop::setSetting(const QString& section, const QString& key, const QString& value) {
    writeSetting(section, key, value);
}

void QtDesktop::setBusy(bool busy) {
    if (busy) {
        if (busyDepth_++ == 0) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
        }
    } else if (busyDepth_ > 0 && --busyDepth_ == 0) {
        QApplication::restoreOverrideCursor();
    }
}

bool QtDesktop::fileExists(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

FileBytes QtDesktop::readFile(const QString& path) {
    return readFileBytes(path);
}

FileResult QtDesktop::writeFile(const QString& path, std::string_view bytes) {
    return writeFileAtomically(path, bytes);
}

}  // namespace wendrake

namespace wendrake {

FileResult QtDesktop::copyFile(const QString& from, const QString& to) {
    return copyFileAtomically(from, to);
}

bool QtDesktop::openDocument(const QString& path) {
    return !unattended_ && QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace wendrake
