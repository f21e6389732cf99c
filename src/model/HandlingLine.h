#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "ErrorList.h"
#include "HandlingRecord.h"

namespace wendrake {

class LanguageTable;

// The language texts that go into error rows while handling lines are read,
// captured once per read so the reader never looks anything up per value.
struct HandlingReadTexts {
    std::array<std::string, kHandlingFieldCount> captions{};
    std::string mustNotBeNumeric;
    std::string mustBeNumeric;
    std::string wrongCount;
    std::string wrongCountTail;

    static HandlingReadTexts fromLanguage(const LanguageTable& language);
};

// The values of a handling line, split at any run of spaces and tabs. Only
// the values a record can hold are kept; the others are only counted, so a
// hostile line of millions of values costs no more memory than a good one.
struct HandlingTokens {
    std::vector<std::string_view> values;  // the first kHandlingFieldCount values
    std::size_t count = 0;                 // all values of the line

    bool empty() const { return count == 0; }
    std::string_view front() const { return values.front(); }
};

HandlingTokens handlingTokens(std::string_view line);

// The same into `tokens`, whose room is used again from line to line.
void splitHandlingTokens(std::string_view line, HandlingTokens& tokens);

int CountHandlingFields(std::string_view line);

// Value `index` of an already split line, or the field's default when the
// line is shorter. A value that fails its check adds an error row and is
// returned all the same.
std::string handlingFieldFromTokens(const HandlingTokens& tokens, int index,
                                    const HandlingReadTexts& texts, ErrorRows& errors);

std::string ReadHandlingField(std::string_view line, int index, const HandlingReadTexts& texts,
                              ErrorRows& errors);

// The record of one data line (already cut before its comment), with a count
// row first when the line does not hold exactly 32 values.
HandlingRecord readHandlingRecord(const HandlingTokens& tokens, const HandlingReadTexts& texts,
                                  ErrorRows& errors);

// The same into `record`, every value of which is replaced.
void readHandlingRecord(const HandlingTokens& tokens, const HandlingReadTexts& texts,
                        ErrorRows& errors, HandlingRecord& record);

// The line the game reads for a record, without line end.
std::string FormatHandlingLine(const HandlingRecord& record);

// Appends, for each name in order, the lines of every record of exactly that
// name in table order, each with CR LF. With `onceEach`, a name met again
// writes nothing more (the file's vehicle list); without, it writes again
// (names chosen for an exchange file).
void appendHandlingLines(std::string& text, const std::vector<HandlingRecord>& records,
                         const std::vector<std::string>& names, bool onceEach);

// The two lines that close a handling file: ";" and ";the end", with CR LF.
inline constexpr std::string_view kClosingLines = ";\r\n;the end\r\n";

// How the reader sees a line. A data line is longer than 14 characters, has
// no ";" among its first 14 and a value before its first ";"; every other line
// is a comment line (blank lines included).
struct HandlingLineClass {
    bool isData = false;
    std::size_t markInHead = std::string_view::npos;  // first ";" among the first 14 characters
    std::string_view values;                          // the line cut before its first ";"
};

HandlingLineClass classifyHandlingLine(std::string_view line);

}  // namespace wendrake
