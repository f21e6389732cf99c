// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAction>
#include <QObject>
#include <QUndoStack>

#include "model/DocumentSession.h"

namespace wendrake {

// The window's undo history: every edit the session records becomes a step
// of a QUndoStack, which undoes and redoes it through the session. Typing
// into one box is one step. The history starts afresh with every file opened
// (or failed to open). The edits themselves are made by whoever calls the
// session, which need not know about undo.
class UndoHistory final : public QObject {
    Q_OBJECT
  public:
    explicit UndoHistory(DocumentSession& session, QObject* parent = nullptr);
    ~UndoHistory() override;

    QUndoStack& stack() { return stack_; }

    // `undo` and `redo` run the history's steps and are enabled while there
    // is one to run. In a text box of `window` their keys undo the
    // document's edits, not the box's own typing, so there is one history.
    void useActions(QWidget* window, QAction* undo, QAction* redo);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    DocumentSession& session_;
    QUndoStack stack_;
    int observerId_ = 0;
    QWidget* window_ = nullptr;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
};

}  // namespace wendrake
