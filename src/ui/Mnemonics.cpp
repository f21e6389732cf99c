// SPDX-License-Identifier: GPL-3.0-or-later
#include "Mnemonics.h"

#include <QLabel>

#include "io/LanguageFiles.h"

namespace wendrake {

QChar mnemonicLetter(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&')) {
            continue;
        }
        if (text[i + 1] != QLatin1Char('&')) {
            return text[i + 1].toLower();
        }
        ++i;  // "&&" stands for a shown "&"
    }
    return {};
}

QString menuLetters(const LanguageTable& language) {
    QString letters;
    for (int menu : {Text::FileMenu, Text::EditMenu, Text::ViewMenu, Text::HelpMenu}) {
        const QChar letter = mnemonicLetter(languageText(language, menu));
        if (!letter.isNull()) {
            letters += letter;
        }
    }
    return letters;
}

void giveMnemonics(const QList<QLabel*>& labels, QString taken) {
    taken = taken.toLower();
    for (QLabel* label : labels) {
        QString text = label->text();
        text.replace(QLatin1Char('&'), QStringLiteral("&&"));
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar letter = text[i].toLower();
            if (letter.isLetterOrNumber() && !taken.contains(letter)) {
                taken += letter;
                text.insert(i, QLatin1Char('&'));
                break;
            }
        }
        label->setText(text);
    }
}

}  // namespace wendrake
