// SPDX-License-Identifier: GPL-3.0-or-later
#include "CompareRows.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <array>

#include "io/LanguageFiles.h"
#include "model/HandlingRecord.h"
#include "model/VehicleDefRecord.h"
#include "ui/Captions.h"
#include "ui/HandlingPages.h"

namespace wendrake {

namespace {

// Texts of the vehicle definition page.
constexpr int kReferencesTitle = 123;
constexpr int kPropertiesTitle = 124;

struct DefinitionLine {
    VehicleDefField field;
    int group;
    bool editable = false;
};

constexpr std::array<DefinitionLine, kVehicleDefFieldCount> kDefinitionLines{{
    {VehicleDefField::ID, 0},
    {VehicleDefField::ModelName, 0},
    {VehicleDefField::TXDName, 0},
    {VehicleDefField::HandlingID, 0},
    {VehicleDefField::GameName, 0},
    {VehicleDefField::Typ, 1},
    {VehicleDefField::Klasse, 1},
    {VehicleDefField::Frequenz, 1, true},
    {VehicleDefField::Level, 1, true},
    {VehicleDefField::CompRules, 1, true},
    {VehicleDefField::Extra1, 1},
    {VehicleDefField::Extra2, 1},
}};

QGroupBox* groupOf(const QWidget* control) {
    for (QWidget* up = control->parentWidget(); up != nullptr; up = up->parentWidget()) {
        if (auto* group = qobject_cast<QGroupBox*>(up)) {
            return group;
        }
    }
    return nullptr;
}

int gridRowOf(const QGroupBox* group, QWidget* control) {
    auto* grid = qobject_cast<QGridLayout*>(group->layout());
    const int index = grid != nullptr ? grid->indexOf(control) : -1;
    if (index < 0) {
        return 0;
    }
    int row = 0;
    int column = 0;
    int rowSpan = 0;
    int columnSpan = 0;
    grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
    return row;
}

// Adds a title line before each group's first value.
CompareLayout withTitles(QStringList groups, std::vector<CompareRow> values) {
    CompareLayout layout{std::move(groups), {}};
    layout.rows.reserve(values.size() + static_cast<std::size_t>(layout.groups.size()));
    int group = -1;
    for (CompareRow& row : values) {
        if (row.group != group && row.group >= 0) {
            layout.rows.push_back({-1, row.group, layout.groups.at(row.group)});
        }
        group = row.group;
        layout.rows.push_back(std::move(row));
    }
    return layout;
}

}  // namespace

QString withoutMnemonic(const QString& text) {
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size()) {
            ++i;  // "&&" shows one "&"; "&x" shows "x"
        }
        plain += text[i];
    }
    return plain;
}

// Groups and their order are read from the page itself, so the view lists
// the values as the page does.
CompareLayout handlingCompareLayout(const HandlingPages& pages, const LanguageTable& language) {
    const QList<QGroupBox*> groups = pages.findChildren<QGroupBox*>();
    QStringList titles;
    for (const QGroupBox* group : groups) {
        titles << withoutMnemonic(group->title());
    }
    struct Placed {
        CompareRow row;
        int line;
    };
    std::vector<Placed> placed;
    for (int field = 0; field < kHandlingFieldCount; ++field) {
        QWidget* control = pages.editorOfField(field);
        QGroupBox* group = control != nullptr ? groupOf(control) : nullptr;
        const QString caption = handlingCaption(field, language);
        const int groupIndex = group != nullptr ? static_cast<int>(groups.indexOf(group)) : -1;
        const bool editable = qobject_cast<QLineEdit*>(control) != nullptr &&
                              field != static_cast<int>(HandlingField::Autoname);
        placed.push_back({{field, groupIndex, caption, editable},
                          group != nullptr ? gridRowOf(group, control) : 0});
    }
    std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
        return std::pair(a.row.group, a.line) < std::pair(b.row.group, b.line);
    });
    std::vector<CompareRow> rows;
    rows.reserve(placed.size());
    for (Placed& p : placed) {
        rows.push_back(std::move(p.row));
    }
    return withTitles(titles, std::move(rows));
}

CompareLayout vehicleDefCompareLayout(const LanguageTable& language) {
    const auto text = [&language](int k) { return withoutMnemonic(languageText(language, k)); };
    std::vector<CompareRow> rows;
    for (const DefinitionLine& line : kDefinitionLines) {
        const int field = static_cast<int>(line.field);
        rows.push_back({field, line.group, vehicleDefCaption(field, language), line.editable});
    }
    return withTitles({text(kReferencesTitle), text(kPropertiesTitle)}, std::move(rows));
}

CompareLayout colourCompareLayout(const LanguageTable& language, int pairCount) {
    CompareLayout layout;
    layout.rows.reserve(static_cast<std::size_t>(std::max(pairCount, 0)));
    for (int pair = 0; pair < pairCount; ++pair) {
        layout.rows.push_back({pair, -1, languageText(language, Text::PairNumber).arg(pair + 1)});
    }
    return layout;
}

}  // namespace wendrake
