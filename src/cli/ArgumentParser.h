// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <span>
#include <string>
#include <vector>

namespace wendrake {

// One word of the command line, as the program received it. Vehicle names
// are bytes of the file and need the word's own bytes; file names and
// messages take the word as the system's text (UTF-8).
using Argument = std::string;
using Arguments = std::vector<Argument>;

struct OptionSpec {
    const char* name;         // "--lang" or "-o"
    const char* alias;        // another spelling, or nullptr
    const char* valueName;    // "NAME" when the option takes a value; nullptr for a switch
    const char* description;  // for the help
};

struct ParsedArguments {
    Arguments operands;
    std::map<std::string, std::string>
        options;          // by the option's name; a switch has an empty value
    std::string problem;  // empty when the words are well formed

    bool has(const char* name) const { return options.contains(name); }
    std::string value(const char* name) const;
};

// Splits words into options of the table and operands. Options may stand
// among the operands; "--" ends them, "--name=value" gives a value in one
// word. An option that is not in the table, lacks its value or takes a value
// twice is a problem, and parsing stops there.
ParsedArguments parseArguments(std::span<const Argument> words, std::span<const OptionSpec> table);

}  // namespace wendrake
