// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <vector>

#include "model/DocumentSession.h"
#include "ui/HandlingPages.h"
#include "ui/NeighbourChecks.h"
#include "ui/ValueMark.h"
#include "ui/VehicleDefPages.h"

namespace wendrake {

// Marks the boxes of the shown vehicle whose values the checks report (see
// showMark): its own rows, those that name it, and those of the comparison
// with the file beside it. A number written with a decimal comma is offered
// with a point, taken by a click on the box's sign as one step of the
// history. Only the shown vehicle's rows are looked at.
class ProblemMarks final : public QObject {
    Q_OBJECT
  public:
    ProblemMarks(DocumentSession& session, const NeighbourChecks& neighbours,
                 HandlingPages& handling, VehicleDefPages& definitions, QObject* parent = nullptr);

    void applyLanguage(const LanguageTable& language);
    // Marks the boxes anew: after the rows changed or another vehicle is shown.
    void refresh();
    void followChange(const SessionChange& change);

    // The rows of one control.
    struct FieldRows {
        QWidget* control = nullptr;
        int field = -1;
        std::vector<const ErrorListEntry*> rows;
    };

  private:
    std::vector<FieldRows> handlingMarks(int record) const;
    std::vector<FieldRows> definitionMarks(int record) const;
    std::optional<ValueMark> markOf(const FieldRows& rows, int record);
    void takePoint(int record, int field, const std::string& pointed);

    DocumentSession& session_;
    const NeighbourChecks& neighbours_;
    HandlingPages& handling_;
    VehicleDefPages& definitions_;
    std::vector<QWidget*> marked_;
    QString usePoint_ = QStringLiteral("Use a point: %1");
    QString clickTakesIt_;
};

}  // namespace wendrake
