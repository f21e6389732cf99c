// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProblemsWindow.h"

#include <algorithm>

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QShortcut>
#include <QVBoxLayout>

#include "io/LanguageFiles.h"

namespace wendrake {

namespace {

constexpr int kCloseCaption = 106;
constexpr int kFirstHeader = 107;  // car, parameter, error follow in order

}  // namespace

ProblemsWindow::ProblemsWindow(const ErrorRows& rows, QWidget* parent)
    // A tool window of the main window stays above it and goes with it when
    // it is minimised, yet never blocks it.
    : QWidget(parent, parent ? Qt::Tool : Qt::Window),
      rows_(rows),
      model_(new ErrorListModel(rows, this)) {
    setObjectName(QStringLiteral("ProblemsWindow"));
    setWindowTitle(QStringLiteral("Errors"));
    // Rows arrive while the player works in the main window (reading a file,
    // an import); the list must not take the keyboard away from it.
    setAttribute(Qt::WA_ShowWithoutActivating);
    resize(720, 320);

    lstErrors = new QTreeView;
    lstErrors->setObjectName(QStringLiteral("lstErrors"));
    lstErrors->setModel(model_);
    lstErrors->setRootIsDecorated(false);
    lstErrors->setItemsExpandable(false);
    lstErrors->setUniformRowHeights(true);
    lstErrors->setAlternatingRowColors(true);
    lstErrors->setAllColumnsShowFocus(true);
    lstErrors->setSelectionBehavior(QAbstractItemView::SelectRows);
    lstErrors->setSelectionMode(QAbstractItemView::SingleSelection);
    lstErrors->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstErrors->header()->setStretchLastSection(true);
    lstErrors->header()->setSectionsMovable(false);

    cmdClose = new QPushButton(QStringLiteral("Schliessen"));
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lstErrors);
    layout->addLayout(buttons);

    connect(cmdClose, &QPushButton::clicked, this, &ProblemsWindow::cmdClose_Click);
    connect(new QShortcut(QKeySequence::Cancel, this), &QShortcut::activated, this,
            &ProblemsWindow::cmdClose_Click);
    // Activation is a double click or Enter, or a single click where the
    // desktop is set up that way.
    connect(lstErrors, &QAbstractItemView::activated, this, [this](const QModelIndex& index) {
        if (!index.isValid() || index.row() >= static_cast<int>(rows_.size())) {
            return;
        }
        // A copy: the receiver may well read a file and replace the rows.
        const ErrorListEntry entry = rows_[static_cast<std::size_t>(index.row())];
        emit rowActivated(entry);
    });
}

void ProblemsWindow::applyLanguage(const LanguageTable& language) {
    model_->setHeaders({languageText(language, kFirstHeader),
                        languageText(language, kFirstHeader + 1),
                        languageText(language, kFirstHeader + 2)});
    cmdClose->setText(languageText(language, kCloseCaption));
    fitColumns(true);
}

void ProblemsWindow::rowsReplaced() {
    model_->reload();
    fitColumns(false);
    if (!rows_.empty()) {
        show();
        raise();
    }
}

void ProblemsWindow::rowsAppended(int previousCount) {
    model_->rowsAppended(previousCount);
    fitColumns(true);
    if (static_cast<int>(rows_.size()) <= previousCount) {
        return;
    }
    show();
    raise();
    lstErrors->scrollTo(model_->index(previousCount, 0));
}

// Names and captions are short and must be read whole; the description takes
// the rest and shows in full as a tool tip when it is cut. The borders stay
// draggable, so new rows only ever widen a column the player may have set.
void ProblemsWindow::fitColumns(bool widenOnly) {
    constexpr int kGap = 18;  // keeps neighbouring columns from running together
    QHeaderView* header = lstErrors->header();
    const QAbstractItemView* view = lstErrors;
    for (int column = 0; column < 2; ++column) {
        const int wanted =
            std::max(view->sizeHintForColumn(column), header->sectionSizeHint(column)) + kGap;
        if (!widenOnly || wanted > header->sectionSize(column)) {
            header->resizeSection(column, wanted);
        }
    }
}

void ProblemsWindow::cmdClose_Click() {
    hide();
}

void ProblemsWindow::closeEvent(QCloseEvent* event) {
    // Accepting only hides the window: it is never deleted on close, and
    // refusing would stop the program from closing all windows when it ends.
    event->accept();
}

}  // namespace wendrake
