// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/CrossFileChecks.h"
#include "model/DocumentSession.h"

namespace wendrake {

// Compares the open handling file with the default.ide in its folder, or the
// open vehicle definition file with the handling.cfg in its folder (names in
// any letter case), as `wendrake check` compares both: a definition whose
// handling ID has no line is an error, a line no definition uses a warning.
// The other file is read as the editor reads it, once per file opened, and
// never written; without one, or when it cannot be read, there are no rows.
// The rows follow every edit of a name, a handling ID or a type.
class NeighbourChecks final : public QObject {
    Q_OBJECT
  public:
    NeighbourChecks(const DocumentSession& session, const LanguageTable& language,
                    QObject* parent = nullptr);

    const ErrorRows& rows() const { return rows_; }
    // The rows whose vehicle is named `name`.
    std::vector<const ErrorListEntry*> rowsAbout(std::string_view name) const;
    // The other file, empty when none is read.
    QString neighbourPath() const { return neighbourPath_; }

    // The texts of the language now set (the table given at the start).
    void applyLanguage();
    void followChange(const SessionChange& change);

  signals:
    void rowsChanged();

  private:
    void readNeighbour();
    void compare();

    const DocumentSession& session_;
    const LanguageTable& language_;
    DocumentSession neighbour_;
    QString neighbourPath_;
    ErrorRows rows_;
    std::unordered_multimap<std::string, std::size_t> rowsByName_;
};

// The file named `name` (in any letter case) in the folder of `path`; empty
// when there is none, or when it is `path` itself.
QString fileBeside(const QString& path, const QString& name);

}  // namespace wendrake
