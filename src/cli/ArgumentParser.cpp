// SPDX-License-Identifier: GPL-3.0-or-later
#include "ArgumentParser.h"

namespace wendrake {

namespace {

const OptionSpec* findOption(std::span<const OptionSpec> table, const QString& word) {
    for (const OptionSpec& option : table) {
        if (word == QLatin1String(option.name) ||
            (option.alias && word == QLatin1String(option.alias))) {
            return &option;
        }
    }
    return nullptr;
}

bool looksLikeOption(const QString& word) {
    return word.size() > 1 && word.startsWith(QLatin1Char('-'));
}

}  // namespace

Arguments argumentsFromBytes(const QByteArrayList& words) {
    Arguments arguments;
    arguments.reserve(static_cast<std::size_t>(words.size()));
    for (const QByteArray& word : words) {
        arguments.push_back({word, QString::fromLocal8Bit(word)});
    }
    return arguments;
}

QString ParsedArguments::value(const char* name) const {
    const auto found = options.find(QString::fromLatin1(name));
    return found == options.end() ? QString() : found->second;
}

ParsedArguments parseArguments(std::span<const Argument> words, std::span<const OptionSpec> table) {
    ParsedArguments parsed;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const QString& word = words[i].text;
        if (word == QLatin1String("--")) {
            parsed.operands.insert(parsed.operands.end(), words.begin() + i + 1, words.end());
            break;
        }
        if (!looksLikeOption(word)) {
            parsed.operands.push_back(words[i]);
            continue;
        }
        const qsizetype equals = word.startsWith(QLatin1String("--")) ? word.indexOf('=') : -1;
        const QString spelled = equals < 0 ? word : word.left(equals);
        const OptionSpec* option = findOption(table, spelled);
        if (!option) {
            parsed.problem = QStringLiteral("unknown option %1").arg(spelled);
            break;
        }
        const QString name = QString::fromLatin1(option->name);
        if (!option->valueName) {
            if (equals >= 0) {
                parsed.problem = QStringLiteral("%1 takes no value").arg(spelled);
                break;
            }
            parsed.options[name];
            continue;
        }
        if (parsed.options.contains(name)) {
            parsed.problem = QStringLiteral("%1 given twice").arg(spelled);
            break;
        }
        if (equals >= 0) {
            parsed.options[name] = word.mid(equals + 1);
        } else if (i + 1 < words.size()) {
            parsed.options[name] = words[++i].text;
        } else {
            parsed.problem =
                QStringLiteral("%1 needs %2").arg(spelled, QLatin1String(option->valueName));
            break;
        }
    }
    return parsed;
}

}  // namespace wendrake
