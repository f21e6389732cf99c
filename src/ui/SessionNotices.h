// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include "model/DocumentSession.h"

namespace wendrake {

// The session's change notices as a Qt signal, so that the parts of the
// window connect to what they show instead of being refreshed by hand.
class SessionNotices final : public QObject {
    Q_OBJECT
  public:
    explicit SessionNotices(DocumentSession& session, QObject* parent = nullptr)
        : QObject(parent), session_(session) {
        id_ = session_.addObserver([this](const SessionChange& change) { emit changed(change); });
    }
    ~SessionNotices() override { session_.removeObserver(id_); }

  signals:
    void changed(const wendrake::SessionChange& change);

  private:
    DocumentSession& session_;
    int id_ = 0;
};

}  // namespace wendrake
