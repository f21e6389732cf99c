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

    lblExportCar = named(new QLabel(QStringLiteral("Verfügbare Autos")), "lblExportCar");
    lblExport = named(new QLabel(QStringLiteral("Exportieren")), "lblExport");
    lst1 = vehicleList("lst1");
    lst2 = vehicleList("lst2");
    lblExportCar->setBuddy(lst1);
    lblExport->setBuddy(lst2);
    cmdAdd = moveButton("cmdAdd", ">");
    cmdAddAll = moveButton("cmdAddAll", ">>");
    cmdDel = moveButton("cmdDel", "<");
    cmdDelAll = moveButton("cmdDelAll", "<<");
    cmdExport = named(new QPushButton(QStringLiteral("Export...")), "cmdExport");
    cmdClose = named(new QPushButton(QStringLiteral("Schliessen")), "cmdClose");
    cmdExport->setAutoDefault(false);
    cmdClose->setAutoDefault(false);

    auto* moves = new QVBoxLayout;
    moves->addStretch();
    for (QPushButton* button : {cmdAdd, cmdAddAll}) {
        moves->addWidget(button);
    }
    moves->addSpacing(16);
    for (QPushButton* button : {cmdDel, cmdDelAll}) {
        moves->addWidget(button);
    }
    moves->addStretch();

    auto* lists = new QGridLayout;
    lists->addWidget(lblExportCar, 0, 0);
    lists->addWidget(lblExport, 0, 2);
    lists->addWidget(lst1, 1, 0);
    lists->addLayout(moves, 1, 1);
    lists->addWidget(lst2, 1, 2);
    lists->setColumnStretch(0, 1);
    lists->setColumnStretch(2, 1);
    lists->setRowStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdExport);
    buttons->addWidget(cmdClose);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addLayout(buttons);

    connect(cmdAdd, &QPushButton::clicked, this, &ExportDialog::cmdAdd_Click);
    connect(cmdAddAll, &QPushButton::clicked, this, &ExportDialog::cmdAddAll_Click);
    connect(cmdDel, &QPushButton::clicked, this, &ExportDialog::cmdDel_Click);
    connect(cmdDelAll, &QPushButton::clicked, this, &ExportDialog::cmdDelAll_Click);
    connect(cmdExport, &QPushButton::clicked, this, &ExportDialog::cmdExport_Click);
    connect(cmdClose, &QPushButton::clicked, this, &ExportDialog::cmdClose_Click);
    connect(new QShortcut(QKeySequence::Cancel, this), &QShortcut::activated, this,
            &ExportDialog::cmdClose_Click);
}

QString ExportDialog::text(int number) const {
    return language_ ? languageText(*language_, number) : QString();
}

void ExportDialog::applyLanguage(const LanguageTable& language) {
    language_ = &language;
    cmdClose->setText(text(kCloseCaption));
    lblExportCar->setText(text(kAvailableCaption));
    lblExport->setText(text(kChosenCaption));
    cmdExport->setText(text(kExportCaption));
}

void ExportDialog::fill(const VehicleList& vehicles) {
    // A list renamed in place need not be in order any more; this one is.
    available_.assign(vehicles.entries());
    chosen_.clear();
    showEntries(lst1, available_);
    showEntries(lst2, chosen_);
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

void ExportDialog::cmdAdd_Click() {
    move(available_, lst1, chosen_, lst2, false);
}

void ExportDialog::cmdAddAll_Click() {
    move(available_, lst1, chosen_, lst2, true);
}

void ExportDialog::cmdDel_Click() {
    move(chosen_, lst2, available_, lst1, false);
}

void ExportDialog::cmdDelAll_Click() {
    move(chosen_, lst2, available_, lst1, true);
}

void ExportDialog::cmdExport_Click() {
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
    const auto target = desktop_.chooseFileToSave(request);
    if (!target) {
        return;
    }
    // Written whole or not at all: a half exchange file would import as if
    // it were complete.
    const FileResult written =
        desktop_.writeFile(*target, BuildExchangeFile(document_.HandlingRecords, chosen_.entries(),
                                                      document_.Author, document_.Date));
    if (!written.ok) {
        desktop_.showNotice(errorNotice(written.code, written.description));
        return;
    }
    desktop_.showInformation(text(Text::Exported));
    close();
}

void ExportDialog::cmdClose_Click() {
    close();
}

}  // namespace wendrake
