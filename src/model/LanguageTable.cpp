// SPDX-License-Identifier: GPL-3.0-or-later
#include "LanguageTable.h"

#include <algorithm>

#include "TextEncoding.h"
#include "TextLines.h"

namespace wendrake {

namespace {

std::string expandLineBreaks(std::string_view line) {
    std::string result;
    result.reserve(line.size());
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\\' && i + 1 < line.size() && (line[i + 1] == 'n' || line[i + 1] == 'N')) {
            result += kCrLf;
            ++i;
        } else {
            result += line[i];
        }
    }
    return result;
}

}  // namespace

LanguageTable::LanguageTable() : texts_(builtInEnglish()) {}

const LanguageTable::Texts& LanguageTable::builtInEnglish() {
    static const Texts english = [] {
        Texts texts;
        putLines(kBuiltInEnglishFile, texts);
        return texts;
    }();
    return english;
}

void LanguageTable::putLines(std::string_view fileBytes, Texts& texts) {
    // Files written for the older program are Windows-1252; ours may be
    // either. The table holds UTF-8 from here on.
    const std::string text =
        isValidUtf8(fileBytes) ? std::string(fileBytes) : windows1252ToUtf8(fileBytes);
    const auto lines = splitLines(text);
    const std::size_t count = std::min(lines.size(), texts.size());
    for (std::size_t k = 0; k < count; ++k) {
        texts[k] = expandLineBreaks(lines[k]);
    }
}

void LanguageTable::load(std::string_view fileBytes) {
    texts_ = builtInEnglish();
    putLines(fileBytes, texts_);
}

const std::string& LanguageTable::text(int k) const {
    static const std::string empty;
    return (k >= 0 && k < kSize) ? texts_[static_cast<std::size_t>(k)] : empty;
}

void LanguageTable::setText(int k, std::string value) {
    if (k >= 0 && k < kSize) {
        texts_[static_cast<std::size_t>(k)] = std::move(value);
    }
}

}  // namespace wendrake
