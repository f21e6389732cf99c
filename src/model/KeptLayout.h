// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "SourceLine.h"

namespace wendrake {

// How a save lays the file out. The standard layout is the game's own: our
// header first, the records in the order of the vehicle list where the first
// record line stood. Keeping the file's layout leaves every line where it
// stands, byte for byte, and rewrites only the lines of records that changed,
// so that a player's diff shows just the edit.
enum class SaveLayout { Standard, KeepFile };

// A line of text with the line end it had: CR LF, a lone CR, or nothing for
// a last line without one.
struct EndedLine {
    std::string_view text;
    std::string_view end;
};

std::vector<EndedLine> splitEndedLines(std::string_view text);

// A save in the file's own layout: the text, and the line each record of the
// table (for car colours: the palette; `carSources` the models) stands on now.
struct KeptLayoutText {
    std::string text;
    std::vector<SourceLine> sources;
    std::vector<SourceLine> carSources;
    // False when a record's line was no longer on disk as it was read, so
    // that the record was written at the end of its block instead.
    bool everyRecordInPlace = true;
};

// Which record each record line of the file on disk stands for: the first
// record, in table order, that was read from (or last written as) a line of
// exactly these bytes and that no earlier line took. Each record is taken
// once, so no record is written twice; the records no line takes are the
// ones added since and those whose line was changed by another program.
class SourceClaims {
  public:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    template <typename Record>
    explicit SourceClaims(const std::vector<Record>& records)
        : taken_(records.size(), false), known_(records.size(), false) {
        for (std::size_t i = records.size(); i-- > 0;) {
            if (records[i].source.known) {
                known_[i] = true;
                byHash_[records[i].source.hash].push_back(i);  // the lowest index last
            }
        }
    }

    // The record line `line` stands for, now taken; kNone for none.
    std::size_t claim(std::string_view line);

    // The records no line took, in table order.
    std::vector<std::size_t> untaken() const;

    // True when a record that came from a line found none.
    bool anyLineLost() const;

  private:
    std::unordered_map<std::size_t, std::vector<std::size_t>> byHash_;
    std::vector<bool> taken_;
    std::vector<bool> known_;
};

// The text of a save in the file's layout, line by line.
class KeptLines {
  public:
    explicit KeptLines(std::size_t expectedSize) { text_.reserve(expectedSize); }

    // A line of the file as it stands, with its own end.
    void keep(const EndedLine& line) { put(line.text, line.end); }
    // Other text in place of a line, with that line's end.
    void put(std::string_view text, std::string_view end);
    // A line the file did not have, ended by CR LF; a last line of the file
    // without an end gets one first.
    void add(std::string_view text);

    std::string take() { return std::move(text_); }

  private:
    std::string text_;
};

}  // namespace wendrake
