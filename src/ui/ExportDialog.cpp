// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExportDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QShortcut>
#include <QVBoxLayout>

#include "io/LanguageFiles.h"
#include "model/ExchangeFile.h"
#include "model/FileKinds.h"
#include "ui/ShownText.h"

namespace wendrake {

namespace {

constexpr int kCloseCaption = 106;
constexpr int kAvailableCaption = 110;
constexpr int kChosenCaption = 111;
constexpr int kExportCaption = 112;

template <typename Widget>
Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QListWidget* vehicleList(const char* name) {
    auto* list = named(new QListWidget, name);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // A whole handling table can be listed; equal rows keep that fast.
    list->setUniformItemSizes(true);
    list->setMinimumWidth(190);
    return list;
}

QPushButton* moveButton(const char* name, const char* caption) {
    auto* button = named(new QPushButton(QString::fromLatin1(caption)), name);
    button->setAutoDefault(false);
    button->setFixedWidth(48);
    return button;
}

void showEntries(QListWidget* view, const VehicleList& list) {
    QStringList texts;
    texts.reserve(list.size());
    for (const std::string& name : list.entries()) {
        texts << shownText(name);
    }
    view->clear();
    view->addItems(texts);
}

}  // namespace

ExportDialog::ExportDialog(const EditorDocument& document, Desktop& desktop, QWidget* parent)
    // A tool window of the main window: it stays above it without blocking
    // it, so the player can look vehicles up while choosing.
    : QWidget(parent, parent ? Qt::Tool : Qt::Window), document_(document), desktop_(desktop) {
    setObjectName(QStringLiteral("ExportDialog"));
    setWindowTitle(QStringLiteral("Export"));
    resize(560, 420);

    availableCaption_ = named(new QLabel(QStringLiteral("Verfügbare Autos")), "lblExportCar");
    chosenCaption_ = named(new QLabel(QStringLiteral("Exportieren")), "lblExport");
    availableList_ = vehicleList("lst1");
    chosenList_ = vehicleList("lst2");
    availableCaption_->setBuddy(availableList_);
    chosenCaption_->setBuddy(chosenList_);
    addButton_ = moveButton("cmdAdd", ">");
    addAllButton_ = moveButton("cmdAddAll", ">>");
    removeButton_ = moveButton("cmdDel", "<");
    removeAllButton_ = moveButton("cmdDelAll", "<<");
    exportButton_ = named(new QPushButton(QStringLiteral("Export...")), "cmdExport");
    closeButton_ = named(new QPushButton(QStringLiteral("Schliessen")), "cmdClose");
    exportButton_->setAutoDefault(false);
    closeButton_->setAutoDefault(false);

    auto* moves = new QVBoxLayout;
    moves->addStretch();
    for (QPushButton* button : {addButton_, addAllButton_}) {
        moves->addWidget(button);
    }
    moves->addSpacing(16);
    for (QPushButton* button : {removeButton_, removeAllButton_}) {
        moves->addWidget(button);
    }
    moves->addStretch();

    auto* lists = new QGridLayout;
    lists->addWidget(availableCaption_, 0, 0);
    lists->addWidget(chosenCaption_, 0, 2);
    lists->addWidget(availableList_, 1, 0);
    lists->addLayout(moves, 1, 1);
    lists->addWidget(chosenList_, 1, 2);
    lists->setColumnStretch(0, 1);
    lists->setColumnStretch(2, 1);
    lists->setRowStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(exportButton_);
    buttons->addWidget(closeButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addLayout(buttons);

    connect(addButton_, &QPushButton::clicked, this, &ExportDialog::addChosen);
    connect(addAllButton_, &QPushButton::clicked, this, &ExportDialog::addAll);
    connect(removeButton_, &QPushButton::clicked, this, &ExportDialog::removeChosen);
    connect(removeAllButton_, &QPushButton::clicked, this, &ExportDialog::removeAll);
    connect(exportButton_, &QPushButton::clicked, this, &ExportDialog::exportChosen);
    connect(closeButton_, &QPushButton::clicked, this, &ExportDialog::closeWindow);
    connect(new QShortcut(QKeySequence::Cancel, this), &QShortcut::activated, this,
            &ExportDialog::closeWindow);
}

QString ExportDialog::text(int number) const {
    return language_ ? languageText(*language_, number) : QString();
}

void ExportDialog::applyLanguage(const LanguageTable& language) {
    language_ = &language;
    closeButton_->setText(text(kCloseCaption));
    availableCaption_->setText(text(kAvailableCaption));
    chosenCaption_->setText(text(kChosenCaption));
    exportButton_->setText(text(kExportCaption));
}

void ExportDialog::fill(const VehicleList& vehicles) {
    // A list renamed in place need not be in order any more; this one is.
    available_.assign(vehicles.entries());
    chosen_.clear();
    showEntries(availableList_, available_);
    showEntries(chosenList_, chosen_);
}

void ExportDialog::move(VehicleList& from, QListWidget* fromView, VehicleList& to,
                        QListWidget* toView, bool all) {
    std::vector<bool> selected(static_cast<std::size_t>(from.size()), all);
    if (!all) {
        for (const QModelIndex& index : fromView->selectionModel()->selectedIndexes()) {
            selected.at(static_cast<std::size_t>(index.row())) = true;
        }
    }
    std::vector<std::string> moved;
    std::vector<std::string> kept;
    for (int row = 0; row < from.size(); ++row) {
        (selected[static_cast<std::size_t>(row)] ? moved : kept).push_back(from.at(row));
    }
    if (moved.empty()) {
        return;
    }
    // Moved names go after equal ones already there, as when the vehicle
    // list sorts a name in; a name listed twice stays listed twice.
    to.insertMany(std::move(moved), 0);
    from.assign(std::move(kept));
    showEntries(fromView, from);
    showEntries(toView, to);
}

void ExportDialog::addChosen() {
    move(available_, availableList_, chosen_, chosenList_, false);
}

void ExportDialog::addAll() {
    move(available_, availableList_, chosen_, chosenList_, true);
}

void ExportDialog::removeChosen() {
    move(chosen_, chosenList_, available_, availableList_, false);
}

void ExportDialog::removeAll() {
    move(chosen_, chosenList_, available_, availableList_, true);
}

void ExportDialog::exportChosen() {
    if (chosen_.empty()) {
        return;
    }
    SaveDialogRequest request;
    request.title = windowTitle();
    const FileKindInfo& handling = fileKindInfo(DataFileKind::Handling);
    request.filters = {
        {text(handling.fileTypeText),
         {QString::fromLatin1(handling.savePattern.data(),
                              static_cast<qsizetype>(handling.savePattern.size()))}}};
    auto target = desktop_.chooseFileToSave(request);
    if (!target) {
        return;
    }
    // A name without the ending would not be offered by the import dialog.
    if (kindFromFileName(target->toStdString()) != DataFileKind::Handling) {
        *target += QString::fromLatin1(handling.ending.data(),
                                       static_cast<qsizetype>(handling.ending.size()));
    }
    // Written whole or not at all: a half exchange file would import as if
    // it were complete.
    const FileResult written =
        desktop_.writeFile(*target, BuildExchangeFile(document_.HandlingRecords, chosen_.entries(),
                                                      document_.Author, document_.Date));
    if (!written.ok) {
        desktop_.showNotice(errorNotice(written.code, written.description) + QLatin1Char('\n') +
                            *target);
        return;
    }
    desktop_.showStatus(text(Text::Exported));
    close();
}

void ExportDialog::closeWindow() {
    close();
}

}  // namespace wendrake
