// SPDX-License-Identifier: GPL-3.0-or-later
#include "StorableText.h"

#include "io/LanguageFiles.h"
#include "ui/Explanation.h"

#include <QLineEdit>
#include <QStringList>
#include <QToolTip>
#include <QValidator>
#include <algorithm>
#include <unordered_map>
#include <utility>

namespace wendrake {

namespace {

// What a box tells the player, in the language of the window.
LanguageTable& messages() {
    static LanguageTable table;
    return table;
}

QString message(int number) {
    return languageText(messages(), number);
}

QString lineBreakRefused() {
    return message(Text::LineBreakRefused);
}
QString controlRefused() {
    return message(Text::ControlRefused);
}
QString foreignRefused(QChar c) {
    return message(Text::ForeignCharacterRefused).arg(c).arg(c.unicode(), 4, 16, QLatin1Char('0'));
}
QString separatorsLeftOut(const QString& separators) {
    QStringList names;
    for (const QChar c : separators) {
        if (isStorableCharacter(c)) {
            names << (c == QLatin1Char(' ') ? message(Text::Blanks)
                                            : QStringLiteral("\"%1\"").arg(c));
        }
    }
    QString listed = names.join(QStringLiteral(", "));
    const qsizetype lastComma = listed.lastIndexOf(QStringLiteral(", "));
    if (lastComma >= 0) {
        listed.replace(lastComma, 2, message(Text::ListOr));
    }
    return message(Text::SeparatorsLeftOut).arg(listed);
}

QString refusalOf(QChar c) {
    if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
        return lineBreakRefused();
    }
    if (c.category() == QChar::Other_Control) {
        return controlRefused();
    }
    return foreignRefused(c);
}

// The part of `after` that an edit put in place of a part of `before`. An
// insertion leaves the cursor behind the inserted text; any other change
// (an undo step) is found by comparing from both ends.
std::pair<qsizetype, qsizetype> changedSpan(QStringView before, QStringView after,
                                            qsizetype cursor) {
    qsizetype end = std::clamp<qsizetype>(cursor, 0, after.size());
    qsizetype tail = after.size() - end;
    if (tail > before.size() || after.right(tail) != before.right(tail)) {
        tail = 0;
        const qsizetype most = std::min(before.size(), after.size());
        while (tail < most && after[after.size() - 1 - tail] == before[before.size() - 1 - tail]) {
            ++tail;
        }
        end = after.size() - tail;
    }
    qsizetype begin = 0;
    const qsizetype most = std::min(end, before.size() - tail);
    while (begin < most && after[begin] == before[begin]) {
        ++begin;
    }
    return {begin, end};
}

// A copied spreadsheet cell or line ends with a line break that nobody means
// to paste.
QStringView withoutFinalLineBreak(QStringView text) {
    if (text.endsWith(u"\r\n")) {
        return text.chopped(2);
    }
    if (text.endsWith(u'\n') || text.endsWith(u'\r')) {
        return text.chopped(1);
    }
    return text;
}

using CharacterCounts = std::unordered_map<char16_t, int>;

// The only way a box's text changes is through its validator, so this one
// sees every edit: typing, pasting, dropping, input methods and undo.
class StorableTextFilter final : public QValidator {
  public:
    StorableTextFilter(QLineEdit* box, QString separators)
        : QValidator(box), box_(box), separators_(std::move(separators)) {}

    State validate(QString& input, int& position) const override {
        // Setting a text clears a box's undo steps: a text without them
        // comes from the program (a value of the file, shown) or is that
        // text undone to, and is taken as it is. Its unfit characters may
        // stay; no edit adds more of them.
        if (!box_->isUndoAvailable()) {
            if (input != previous_) {
                tell(QString());
            }
            given_ = unfitCounts(input);
            previous_ = input;
            return Acceptable;
        }

        const auto [begin, end] = changedSpan(previous_, input, position);
        const QStringView head = QStringView(input).left(begin);
        const QStringView tail = QStringView(input).mid(end);
        CharacterCounts allowed = given_;
        for (const QStringView kept : {head, tail}) {
            for (const QChar c : kept) {
                if (unfit(c)) {
                    --allowed[c.unicode()];
                }
            }
        }

        QString inserted;
        bool leftOut = false;
        for (const QChar c : withoutFinalLineBreak(QStringView(input).mid(begin, end - begin))) {
            if (!unfit(c)) {
                inserted += c;
            } else if (int& left = allowed[c.unicode()]; left > 0) {
                --left;
                inserted += c;
            } else if (separators_.contains(c) && isStorableCharacter(c)) {
                leftOut = true;
            } else {
                tell(refusalOf(c));
                return Invalid;
            }
        }

        const QString result = head.toString() + inserted + tail.toString();
        if (result != input) {
            input = result;
            position = static_cast<int>(head.size() + inserted.size());
        }
        previous_ = input;
        tell(leftOut ? separatorsLeftOut(separators_) : QString());
        return Acceptable;
    }

  private:
    bool unfit(QChar c) const { return !isStorableCharacter(c) || separators_.contains(c); }

    CharacterCounts unfitCounts(QStringView text) const {
        CharacterCounts counts;
        for (const QChar c : text) {
            if (unfit(c)) {
                ++counts[c.unicode()];
            }
        }
        return counts;
    }

    // Says why an edit was refused or changed, beside the box and to
    // assistive tools; an empty text clears what was said.
    void tell(const QString& why) const {
        const QString description = describedWithNote(box_, why);
        if (box_->accessibleDescription() != description) {
            box_->setAccessibleDescription(description);
        }
        if (!why.isEmpty()) {
            QToolTip::showText(box_->mapToGlobal(QPoint(0, box_->height())), why, box_);
        }
    }

    QLineEdit* box_;
    QString separators_;
    mutable CharacterCounts given_;  // unfit characters of the text the program set
    mutable QString previous_;       // the box's text before the edit being judged
};

}  // namespace

void useStorableTextLanguage(const LanguageTable& language) {
    messages() = language;
}

bool isStorableCharacter(QChar c) {
    const char16_t code = c.unicode();
    return code >= 0x20 && code <= 0xff && !(code >= 0x7f && code <= 0x9f);
}

void acceptOnlyStorableText(QLineEdit* box, const QString& separators) {
    box->setValidator(new StorableTextFilter(box, separators));
}

}  // namespace wendrake
