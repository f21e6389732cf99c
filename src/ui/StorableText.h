// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QLineEdit;

namespace wendrake {
class LanguageTable;
}

namespace wendrake {

// True for a character that a game file's 8-bit text holds as one printable
// byte: the window shows and stores file bytes as Latin-1, whose control
// characters would end a line or mean nothing to the game.
bool isStorableCharacter(QChar c);

// Every box that edits text of a game file goes through this guard, so that
// what the box shows is what the file gets and no edit splits a line:
// - a single line break at the end of a paste (a copied spreadsheet cell) is
//   dropped;
// - `separators` (printable characters that would split the value, such as
//   the blank) are left out of typed and pasted text;
// - any other edit that brings a control character or a character outside
//   the file's text is refused whole, and the box keeps its text;
// the box tells the player why in a tooltip and its accessible description.
// Characters the box was given by the program (a value read from a file)
// stay as they are while the player edits around them.
void acceptOnlyStorableText(QLineEdit* box, const QString& separators);

// The language the boxes tell the player in; English until set.
void useStorableTextLanguage(const LanguageTable& language);

}  // namespace wendrake
