// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "ErrorList.h"
#include "HandlingRecord.h"
#include "VehicleList.h"

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
    std::string utf16Refused;  // a file in UTF-16, which the game cannot read

    static HandlingReadTexts fromLanguage(const LanguageTable& language);
};

// The values of a handling line, split at any run of spaces and tabs. They
// point into the line, so a line of many values costs no copies.
struct HandlingTokens {
    std::vector<std::string_view> values;
    std::size_t count = 0;  // values.size(), kept for callers that only count

    bool empty() const { return count == 0; }
    std::string_view front() const { return values.front(); }
};

HandlingTokens handlingTokens(std::string_view line);

// The same into `tokens`, whose room is used again from line to line.
void splitHandlingTokens(std::string_view line, HandlingTokens& tokens);

int CountHandlingFields(std::string_view line);

// Value `index` of an already split line, or the empty text when the line
// is shorter. A value that fails its check adds an error row and is returned
// all the same.
std::string handlingFieldFromTokens(const HandlingTokens& tokens, int index,
                                    const HandlingReadTexts& texts, ErrorRows& errors);

std::string ReadHandlingField(std::string_view line, int index, const HandlingReadTexts& texts,
                              ErrorRows& errors);

// The record of one data line (its values split, its comment from its ";"
// on), with a count row first when the line does not hold exactly 32 values.
// Fields the line lacks stay empty; values after the 32nd become extra values.
HandlingRecord readHandlingRecord(const HandlingTokens& tokens, std::string_view comment,
                                  const HandlingReadTexts& texts, ErrorRows& errors);

// The same into `record`, every part of which is replaced.
void readHandlingRecord(const HandlingTokens& tokens, std::string_view comment,
                        const HandlingReadTexts& texts, ErrorRows& errors, HandlingRecord& record);

// The rows a reading of the line a save writes for `record` would report:
// a count row when it would not hold exactly 32 values, then a row for each
// written value that fails its check. For a record as read, these are the
// rows its line gave.
void addHandlingRecordRows(const HandlingRecord& record, const HandlingReadTexts& texts,
                           ErrorRows& errors);

// The line the game reads for a record, without line end: the fields of
// writtenFieldCount(), the extra values, then a blank and the comment.
std::string FormatHandlingLine(const HandlingRecord& record);

// Appends, for each name in order, the lines of every record of exactly that
// name in table order, each with CR LF. With `onceEach`, a name met again
// writes nothing more (the file's vehicle list); without, it writes again
// (names chosen for an exchange file).
void appendHandlingLines(std::string& text, const std::vector<HandlingRecord>& records,
                         const std::vector<std::string>& names, bool onceEach);

// The same for the names of a file's vehicle list (once each); with
// `sources`, sized as `records`, each record written learns its line.
void appendHandlingLines(std::string& text, const std::vector<HandlingRecord>& records,
                         const std::vector<std::string_view>& names,
                         std::vector<SourceLine>* sources);

// The lines of every record in the order of `list`, as the names of its
// entries would append them, when the list says that order directly: it is
// sorted and holds one entry per record, each naming its own record. Then
// no record has to be looked up by its name. False, with `text` unchanged
// (and `sources` unknown), for any other list.
bool appendHandlingLinesInListOrder(std::string& text, const std::vector<HandlingRecord>& records,
                                    const VehicleList& list, std::vector<SourceLine>* sources);

// The two lines that close a handling file: ";" and ";the end", with CR LF.
inline constexpr std::string_view kClosingLines = ";\r\n;the end\r\n";

// True for the first value of a line of another vehicle kind's section
// ("!" bikes, "$" boats, "%" aircraft, "^" animations in a sibling game's
// file): such lines are kept as they stand and never read as vehicles.
bool isForeignSectionValue(std::string_view firstValue);

// How the reader sees a line. A vehicle line is longer than 14 characters,
// has no ";" among its first 14 and a value before its first ";", the first
// not of a foreign section. A line that would be one but for that is a
// foreign line; every other line is a comment line (blank lines included).
struct HandlingLineClass {
    bool isData = false;
    bool isForeign = false;
    std::size_t markInHead = std::string_view::npos;  // first ";" among the first 14 characters
    std::string_view line;                            // the whole line
    std::string_view values;                          // the line cut before its first ";"
    std::string_view comment;                         // from the first ";" on, or empty
};

HandlingLineClass classifyHandlingLine(std::string_view line);

// True when `line` is a vehicle line that reads as exactly `record`: a save
// that keeps the file's layout may then leave it as it stands.
bool handlingLineHolds(std::string_view line, const HandlingRecord& record);

}  // namespace wendrake
