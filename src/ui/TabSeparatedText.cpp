// SPDX-License-Identifier: GPL-3.0-or-later
#include "TabSeparatedText.h"

namespace wendrake {

namespace {

// The end of the quoted cell that starts at `from` (its opening quote), past
// its closing quote; -1 when it is not closed.
qsizetype quotedEnd(const QString& text, qsizetype from) {
    for (qsizetype k = from + 1; k < text.size(); ++k) {
        if (text[k] == QLatin1Char('"')) {
            if (k + 1 < text.size() && text[k + 1] == QLatin1Char('"')) {
                ++k;
                continue;
            }
            return k + 1;
        }
    }
    return -1;
}

bool endsLine(QChar c) {
    return c == QLatin1Char('\n') || c == QLatin1Char('\r');
}

}  // namespace

QList<QStringList> readTabSeparated(const QString& text) {
    QList<QStringList> rows;
    QStringList row;
    QString cell;
    qsizetype k = 0;
    while (k < text.size()) {
        if (cell.isEmpty() && text[k] == QLatin1Char('"')) {
            if (const qsizetype end = quotedEnd(text, k); end > 0) {
                cell = text.mid(k + 1, end - k - 2)
                           .replace(QStringLiteral("\"\""), QStringLiteral("\""));
                k = end;
                continue;
            }
        }
        const QChar c = text[k];
        if (c == QLatin1Char('\t')) {
            row << cell;
            cell.clear();
        } else if (endsLine(c)) {
            row << cell;
            cell.clear();
            rows << row;
            row.clear();
            if (c == QLatin1Char('\r') && k + 1 < text.size() && text[k + 1] == QLatin1Char('\n')) {
                ++k;
            }
        } else {
            cell += c;
        }
        ++k;
    }
    if (!cell.isEmpty() || !row.isEmpty()) {
        row << cell;
        rows << row;
    }
    return rows;
}

QString writeTabSeparated(const QList<QStringList>& rows) {
    QString text;
    for (const QStringList& row : rows) {
        for (qsizetype k = 0; k < row.size(); ++k) {
            if (k > 0) {
                text += QLatin1Char('\t');
            }
            QString cell = row[k];
            if (cell.startsWith(QLatin1Char('"')) || cell.contains(QLatin1Char('\t')) ||
                cell.contains(QLatin1Char('\n')) || cell.contains(QLatin1Char('\r'))) {
                cell = QLatin1Char('"') +
                       cell.replace(QStringLiteral("\""), QStringLiteral("\"\"")) +
                       QLatin1Char('"');
            }
            text += cell;
        }
        text += QLatin1Char('\n');
    }
    return text;
}

}  // namespace wendrake
