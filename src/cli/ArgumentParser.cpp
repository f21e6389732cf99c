// SPDX-License-Identifier: GPL-3.0-or-later
#include "ArgumentParser.h"

namespace wendrake {

namespace {

const OptionSpec* findOption(std::span<const OptionSpec> table, const std::string& word) {
    for (const OptionSpec& option : table) {
        if (word == option.name || (option.alias && word == option.alias)) {
            return &option;
        }
    }
    return nullptr;
}

bool looksLikeOption(const std::string& word) {
    return word.size() > 1 && word.front() == '-';
}

}  // namespace

std::string ParsedArguments::value(const char* name) const {
    const auto found = options.find(name);
    return found == options.end() ? std::string() : found->second;
}

ParsedArguments parseArguments(std::span<const Argument> words, std::span<const OptionSpec> table) {
    ParsedArguments parsed;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word == "--") {
            parsed.operands.insert(parsed.operands.end(), words.begin() + i + 1, words.end());
            break;
        }
        if (!looksLikeOption(word)) {
            parsed.operands.push_back(word);
            continue;
        }
        const auto equals = word.starts_with("--") ? word.find('=') : std::string::npos;
        const std::string spelled = word.substr(0, equals);
        const OptionSpec* option = findOption(table, spelled);
        if (!option) {
            parsed.problem = "unknown option " + spelled;
            break;
        }
        const std::string name = option->name;
        if (!option->valueName) {
            if (equals != std::string::npos) {
                parsed.problem = spelled + " takes no value";
                break;
            }
            parsed.options[name];
            continue;
        }
        if (parsed.options.contains(name)) {
            parsed.problem = spelled + " given twice";
            break;
        }
        if (equals != std::string::npos) {
            parsed.options[name] = word.substr(equals + 1);
        } else if (i + 1 < words.size()) {
            parsed.options[name] = words[++i];
        } else {
            parsed.problem = spelled + " needs " + option->valueName;
            break;
        }
    }
    return parsed;
}

}  // namespace wendrake
