// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProblemsPanel.h"

#include <algorithm>

#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QScrollBar>

#include "io/LanguageFiles.h"

namespace wendrake {

namespace {

constexpr int kFirstHeader = 107;  // car, parameter, error follow in order

}  // namespace

QRect fittedInto(const QRect& window, const QRect& available) {
    QRect fitted = window;
    fitted.setWidth(std::min(window.width(), available.width()));
    fitted.setHeight(std::min(window.height(), available.height()));
    fitted.moveLeft(std::clamp(fitted.left(), available.left(),
                               available.left() + available.width() - fitted.width()));
    fitted.moveTop(std::clamp(fitted.top(), available.top(),
                              available.top() + available.height() - fitted.height()));
    return fitted;
}

ProblemsPanel::ProblemsPanel(const ErrorRows& rows, QWidget* parent)
    : QDockWidget(parent),
      model_(new ErrorListModel(rows, this)),
      title_(QStringLiteral("Problems")) {
    setObjectName(QStringLiteral("problemsPanel"));
    setAllowedAreas(Qt::AllDockWidgetAreas);

    list_ = new QTreeView(this);
    list_->setObjectName(QStringLiteral("problemList"));
    list_->setModel(model_);
    list_->setRootIsDecorated(false);
    list_->setItemsExpandable(false);
    list_->setUniformRowHeights(true);
    list_->setAlternatingRowColors(true);
    list_->setAllColumnsShowFocus(true);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->header()->setStretchLastSection(true);
    list_->header()->setSectionsMovable(false);
    setWidget(list_);
    showTitle();

    // Activation is a double click or Enter, or a single click where the
    // desktop is set up that way.
    connect(list_, &QAbstractItemView::activated, this, [this](const QModelIndex& index) {
        const ErrorListEntry* shown = index.isValid() ? model_->entryAt(index.row()) : nullptr;
        if (shown == nullptr) {
            return;
        }
        // A copy: the receiver may well edit and so replace the rows.
        const ErrorListEntry entry = *shown;
        emit rowActivated(entry);
    });
    // Undocked, or shown again floating (the screens may have changed since).
    connect(this, &QDockWidget::topLevelChanged, this, [this](bool floating) {
        if (floating) {
            keepOnScreen();
        }
    });
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible) {
            keepOnScreen();
        }
    });
}

void ProblemsPanel::applyLanguage(const LanguageTable& language) {
    model_->setHeaders({languageText(language, kFirstHeader),
                        languageText(language, kFirstHeader + 1),
                        languageText(language, kFirstHeader + 2)});
    model_->setSeverityWords(languageText(language, Text::ErrorWord),
                             languageText(language, Text::WarningMark));
    title_ = languageText(language, Text::ProblemsTitle);
    list_->setAccessibleName(title_);
    titleWithCount_ = languageText(language, Text::ProblemsTitleCount);
    showTitle();
    fitColumns(true);
}

void ProblemsPanel::refresh(bool fresh) {
    const int current = list_->currentIndex().row();
    const int scrolled = list_->verticalScrollBar()->value();
    model_->reload();
    fitColumns(!fresh);
    showTitle();
    if (fresh) {
        return;
    }
    // An edit took a row away or added one: the player stays where they
    // were, on the row that took the place of theirs.
    const int rowCount = model_->rowCount();
    if (current >= 0 && rowCount > 0) {
        list_->setCurrentIndex(model_->index(std::min(current, rowCount - 1), 0));
    }
    list_->verticalScrollBar()->setValue(scrolled);
}

void ProblemsPanel::reveal(int row) {
    show();
    raise();
    if (row >= 0 && row < model_->rowCount()) {
        list_->scrollTo(model_->index(row, 0));
    }
}

void ProblemsPanel::keepOnScreen() {
    if (!isFloating()) {
        return;
    }
    const QRect frame = frameGeometry();
    const QScreen* screen = QGuiApplication::screenAt(frame.center());
    if (screen == nullptr && parentWidget() != nullptr) {
        screen = parentWidget()->screen();
    }
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return;
    }
    const QRect fitted = fittedInto(frame, screen->availableGeometry());
    if (fitted == frame) {
        return;
    }
    // The frame holds the title bar the desktop draws; the panel's own
    // geometry lies inside it.
    const QRect inner = geometry();
    const QMargins decoration(inner.left() - frame.left(), inner.top() - frame.top(),
                              frame.right() - inner.right(), frame.bottom() - inner.bottom());
    setGeometry(fitted.marginsRemoved(decoration));
}

void ProblemsPanel::showTitle() {
    const int count = model_->rowCount();
    if (count == 0 || titleWithCount_.isEmpty()) {
        setWindowTitle(title_);
    } else {
        setWindowTitle(titleWithCount_.arg(count));
    }
}

// Names and captions are short and must be read whole; the description takes
// the rest and shows in full as a tool tip when it is cut. The borders stay
// draggable, so a refresh only ever widens a column the player may have set.
void ProblemsPanel::fitColumns(bool widenOnly) {
    constexpr int kGap = 18;  // keeps neighbouring columns from running together
    QHeaderView* header = list_->header();
    const QAbstractItemView* view = list_;
    for (int column = 0; column < 2; ++column) {
        const int wanted =
            std::max(view->sizeHintForColumn(column), header->sectionSizeHint(column)) + kGap;
        if (!widenOnly || wanted > header->sectionSize(column)) {
            header->resizeSection(column, wanted);
        }
    }
}

}  // namespace wendrake
