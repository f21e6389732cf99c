// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

class QLabel;

namespace wendrake {
class LanguageTable;
}

namespace wendrake {

// The letter a menu title or item text marks with "&" (lower case), or a
// null character when it marks none.
QChar mnemonicLetter(const QString& text);

// The letters the menu titles of `language` mark: a label's mnemonic must
// not take the key that opens a menu.
QString menuLetters(const LanguageTable& language);

// Gives each label a mnemonic (Alt+letter) for its buddy: texts are plain
// language texts, so "&" in them is shown as it is, and each label takes
// the first letter of its text that no earlier label and no `taken` letter
// holds. A label whose letters are all taken goes without one.
void giveMnemonics(const QList<QLabel*>& labels, QString taken = {});

}  // namespace wendrake
