#include "HandlingLine.h"

#include "LanguageTable.h"
#include "Numeric.h"
#include "TextLines.h"

#include <unordered_map>

namespace wendrake {

namespace {

constexpr std::size_t kHeadLength = 14;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string padRight(std::string_view text, std::size_t width) {
    std::string result(text);
    if (result.size() < width) {
        result.append(width - result.size(), ' ');
    }
    return result;
}

std::string padLeft(std::string_view text, std::size_t width) {
    std::string result;
    if (text.size() < width) {
        result.assign(width - text.size(), ' ');
    }
    result += text;
    return result;
}

bool failsCheck(ValueCheck check, std::string_view token) {
    switch (check) {
        case ValueCheck::MustBeNumeric:
            return !isNumeric(token);
        case ValueCheck::MustNotBeNumeric:
            return isNumeric(token);
        case ValueCheck::None:
            return false;
    }
    return false;
}

}  // namespace

HandlingReadTexts HandlingReadTexts::fromLanguage(const LanguageTable& language) {
    HandlingReadTexts texts;
    for (int i = 0; i < kHandlingFieldCount; ++i) {
        texts.captions[static_cast<std::size_t>(i)] =
            language.text(handlingFieldInfo(i).captionText);
    }
    texts.mustNotBeNumeric = language.text(Text::MustNotBeNumeric);
    texts.mustBeNumeric = language.text(Text::MustBeNumeric);
    texts.wrongCount = language.text(Text::WrongValueCount);
    texts.wrongCountTail = language.text(Text::WrongValueCountTail);
    return texts;
}

std::vector<std::string_view> handlingTokens(std::string_view line) {
    std::vector<std::string_view> tokens;
    std::size_t i = 0;
    const std::size_t n = line.size();
    while (i < n) {
        while (i < n && isBlank(line[i])) {
            ++i;
        }
        const std::size_t start = i;
        while (i < n && !isBlank(line[i])) {
            ++i;
        }
        if (i > start) {
            tokens.push_back(line.substr(start, i - start));
        }
    }
    return tokens;
}

int CountHandlingFields(std::string_view line) {
    return static_cast<int>(handlingTokens(line).size());
}

std::string handlingFieldFromTokens(const std::vector<std::string_view>& tokens, int index,
                                    const HandlingReadTexts& texts, ErrorRows& errors) {
    const HandlingFieldInfo& info = handlingFieldInfo(index);
    if (static_cast<std::size_t>(index) >= tokens.size()) {
        return info.defaultValue;
    }
    const std::string_view token = tokens[static_cast<std::size_t>(index)];
    if (failsCheck(info.check, token)) {
        const bool wantsText = info.check == ValueCheck::MustNotBeNumeric;
        errors.push_back({std::string(tokens.front()),
                          texts.captions[static_cast<std::size_t>(index)],
                          wantsText ? texts.mustNotBeNumeric : texts.mustBeNumeric, index});
    }
    return std::string(token);
}

std::string ReadHandlingField(std::string_view line, int index, const HandlingReadTexts& texts,
                              ErrorRows& errors) {
    return handlingFieldFromTokens(handlingTokens(line), index, texts, errors);
}

HandlingRecord readHandlingRecord(const std::vector<std::string_view>& tokens,
                                  const HandlingReadTexts& texts, ErrorRows& errors) {
    if (tokens.size() != kHandlingFieldCount) {
        // The name of the count row is taken unchecked: a numeric name is
        // reported once, by the name's own check below.
        std::string car = tokens.empty() ? std::string(handlingFieldInfo(0).defaultValue)
                                         : std::string(tokens.front());
        errors.push_back(
            {std::move(car), std::string(),
             texts.wrongCount + ": " + std::to_string(tokens.size()) + " " + texts.wrongCountTail});
    }
    HandlingRecord record;
    for (int k = 0; k < kHandlingFieldCount; ++k) {
        record.fields[static_cast<std::size_t>(k)] =
            handlingFieldFromTokens(tokens, k, texts, errors);
    }
    return record;
}

std::string FormatHandlingLine(const HandlingRecord& record) {
    std::string line;
    line.reserve(120);
    for (int k = 0; k < kHandlingFieldCount; ++k) {
        const std::string& value = record.fields[static_cast<std::size_t>(k)];
        if (k > 0) {
            line += ' ';
        }
        switch (static_cast<HandlingField>(k)) {
            case HandlingField::Autoname:
                line += padRight(value, 14);
                break;
            case HandlingField::Gewicht:
                line += padLeft(value, 7);
                break;
            case HandlingField::Preis:
                line += padLeft(value, 6);
                break;
            default:
                line += value;
        }
    }
    return line;
}

void appendHandlingLines(std::string& text, const std::vector<HandlingRecord>& records,
                         const std::vector<std::string>& names, bool onceEach) {
    std::unordered_map<std::string_view, std::vector<std::size_t>> byName;
    byName.reserve(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        byName[records[i].name()].push_back(i);
    }
    for (const std::string& name : names) {
        const auto found = byName.find(name);
        if (found == byName.end()) {
            continue;
        }
        for (const std::size_t index : found->second) {
            text += FormatHandlingLine(records[index]);
            text += kCrLf;
        }
        if (onceEach) {
            byName.erase(found);
        }
    }
}

HandlingLineClass classifyHandlingLine(std::string_view line) {
    HandlingLineClass result;
    result.markInHead = line.substr(0, kHeadLength).find(';');
    result.values = line.substr(0, line.find(';'));
    if (line.size() > kHeadLength && result.markInHead == std::string_view::npos) {
        result.isData = result.values.find_first_not_of(" \t") != std::string_view::npos;
    }
    return result;
}

}  // namespace wendrake
