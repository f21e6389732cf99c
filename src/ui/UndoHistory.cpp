// SPDX-License-Identifier: GPL-3.0-or-later
#include "UndoHistory.h"

#include <QApplication>
#include <QKeyEvent>
#include <QUndoCommand>
#include <QWidget>

namespace wendrake {

namespace {

// Steps of typing merge with each other; the session decides which do.
constexpr int kTypingStep = 1;

class SessionEditCommand final : public QUndoCommand {
  public:
    SessionEditCommand(DocumentSession& session, DocumentEdit edit)
        : session_(session), edit_(std::move(edit)) {}

    void undo() override {
        // Out of step with the document (which the history's clearing on
        // every open prevents): the step is dropped instead of changing
        // records it no longer means.
        if (!session_.undo(edit_)) {
            setObsolete(true);
        }
    }

    void redo() override {
        // Pushed after the session made the edit: the first redo is done.
        if (done_) {
            done_ = false;
            return;
        }
        if (!session_.redo(edit_)) {
            setObsolete(true);
        }
    }

    int id() const override {
        const bool typing = std::holds_alternative<ValueEdit>(edit_.step) ||
                            std::holds_alternative<FileTextEdit>(edit_.step) ||
                            std::holds_alternative<ColourEdit>(edit_.step);
        return typing ? kTypingStep : -1;
    }

    bool mergeWith(const QUndoCommand* other) override {
        return session_.mergeEdits(edit_, static_cast<const SessionEditCommand*>(other)->edit_);
    }

  private:
    DocumentSession& session_;
    DocumentEdit edit_;
    bool done_ = true;
};

bool matches(const QAction* action, const QKeyEvent* key) {
    const QKeySequence pressed(key->keyCombination());
    for (const QKeySequence& shortcut : action->shortcuts()) {
        if (shortcut.matches(pressed) == QKeySequence::ExactMatch) {
            return true;
        }
    }
    return false;
}

}  // namespace

UndoHistory::UndoHistory(DocumentSession& session, QObject* parent)
    : QObject(parent), session_(session) {
    session_.setEditRecorder([this](DocumentEdit edit) {
        stack_.push(new SessionEditCommand(session_, std::move(edit)));
    });
    observerId_ = session_.addObserver([this](const SessionChange& change) {
        if (change.has(Change::Opened) || change.has(Change::Closed)) {
            stack_.clear();
        }
    });
}

UndoHistory::~UndoHistory() {
    session_.setEditRecorder({});
    session_.removeObserver(observerId_);
    if (window_ != nullptr) {
        qApp->removeEventFilter(this);
    }
}

void UndoHistory::useActions(QWidget* window, QAction* undo, QAction* redo) {
    window_ = window;
    undo_ = undo;
    redo_ = redo;
    undo->setEnabled(stack_.canUndo());
    redo->setEnabled(stack_.canRedo());
    connect(&stack_, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(&stack_, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
    connect(undo, &QAction::triggered, &stack_, &QUndoStack::undo);
    connect(redo, &QAction::triggered, &stack_, &QUndoStack::redo);
    qApp->installEventFilter(this);
}

bool UndoHistory::eventFilter(QObject* watched, QEvent* event) {
    // A text box asks to keep the undo keys for its own typing; left
    // unanswered, the keys go to the window's actions.
    if (event->type() == QEvent::ShortcutOverride && watched->isWidgetType()) {
        const auto* widget = static_cast<QWidget*>(watched);
        const auto* key = static_cast<QKeyEvent*>(event);
        if (widget->window() == window_ && (matches(undo_, key) || matches(redo_, key))) {
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace wendrake
