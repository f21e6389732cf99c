// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace wendrake {

// A handling file names its author and date in comment lines: the text one
// character past "Author:" and past "Created" (in any letter case), trimmed.
// A later line overwrites an earlier one; one line may name both.
struct AuthorAndDate {
    std::string author;
    std::string date;

    bool operator==(const AuthorAndDate&) const = default;
};

// Takes the author and the date from `line` into `found` when the line names
// them. Vehicle lines, lines of foreign sections and our own header lines
// name nothing.
void readAuthorAndDate(std::string_view line, AuthorAndDate& found);

// What a save writes in place of the lines of a handling file that name its
// author or date, so that the saved file reads back exactly `wanted`.
// Where that holds with every line that names both, or that only the reader
// sees (no ";", or "created" without "; " before it), kept as it stands,
// those lines are kept and each other author line becomes "; Author: "
// and the author, each other date line "; Created " and the date. Otherwise
// every such line is written anew, a line that named both as an author and
// a date line. A file without such lines gets none.
//
// Keeping the file's layout, lines are written only for a value that differs
// from what the file reads: a file that reads `wanted` keeps every line, and
// the lines that name only the other value stay as they stand.
enum class AuthorDateWriting { Always, OnlyChanged };

class AuthorDateLines {
  public:
    AuthorDateLines(const std::vector<std::string_view>& lines, const AuthorAndDate& wanted,
                    AuthorDateWriting writing = AuthorDateWriting::Always);

    // The text, each line ended by CR LF, that replaces line `index`; null
    // when the line is kept as it stands.
    const std::string* replacement(std::size_t index) const;

  private:
    std::unordered_map<std::size_t, std::string> replacements_;
};

}  // namespace wendrake
