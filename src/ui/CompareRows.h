// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "model/LanguageTable.h"

namespace wendrake {

class HandlingPages;

// One line of the compare view: a value, or the title of the group of the
// values below it.
struct CompareRow {
    int field = -1;  // the field of the loaded kind, for car colours the pair; -1 for a title
    int group = -1;  // into CompareLayout::groups; -1 for none
    QString caption;
    // Typed into in the table as in its box on the page: a free text value
    // that names no vehicle (choices, ticks and flags keep their controls).
    bool editable = false;

    bool isTitle() const { return field < 0; }
};

// The lines of the compare view for one kind of file, in the order the
// pages show the values.
struct CompareLayout {
    QStringList groups;
    std::vector<CompareRow> rows;
};

// The handling values in the groups and order of the handling page, each
// with the caption and unit the page shows beside its control.
CompareLayout handlingCompareLayout(const HandlingPages& pages, const LanguageTable& language);

// The values of a vehicle definition in the groups of its page.
CompareLayout vehicleDefCompareLayout(const LanguageTable& language);

// Pairs 1 to `pairCount` of the colour models.
CompareLayout colourCompareLayout(const LanguageTable& language, int pairCount);

// A label's text as read: without the "&" that marks its mnemonic.
QString withoutMnemonic(const QString& text);

}  // namespace wendrake
