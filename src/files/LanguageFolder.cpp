// SPDX-License-Identifier: GPL-3.0-or-later
#include "LanguageFolder.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "DiskFiles.h"
#include "LanguageNames.h"
#include "MessageLocale.h"
#include "NativePath.h"

namespace wendrake {

namespace {

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c | 0x20) : c;
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return lower(x) == lower(y); });
}

bool isReadable(const std::string& path) {
    std::FILE* file = openFile(path, "rb");
    if (file) {
        std::fclose(file);
    }
    return file != nullptr;
}

// The language files of `folder`: readable files, hidden ones left out,
// whose names end in ".lng" in any case, sorted by name.
std::vector<std::string> languageFiles(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(nativePath(folder), error)) {
        const std::string name = nameOf(entry.path().filename());
        std::error_code typeError;
        if (name.size() >= 4 && name.front() != '.' &&
            sameIgnoringCase(std::string_view(name).substr(name.size() - 4), ".lng") &&
            entry.is_regular_file(typeError) && isReadable(folder + name)) {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The file listed as `name`: "Aaa.LNG" is listed as "Aaa" and must be opened
// under its own name where names have case. The exact "Aaa.lng" goes first.
std::string languageFilePath(const std::string& folder, const std::string& name) {
    const std::string exact = name + ".lng";
    const std::vector<std::string> files = languageFiles(folder);
    if (std::find(files.begin(), files.end(), exact) == files.end()) {
        for (const std::string& file : files) {
            if (std::string_view(file).substr(0, file.size() - 4) == name) {
                return folder + file;
            }
        }
    }
    return folder + exact;
}

bool listed(const std::vector<std::string>& languages, const std::string& name) {
    return std::find(languages.begin(), languages.end(), name) != languages.end();
}

}  // namespace

std::vector<std::string> listLanguages(const std::string& folder) {
    std::vector<std::string> names;
    for (const std::string& file : languageFiles(folder)) {
        names.push_back(file.substr(0, file.size() - 4));
        if (names.back().empty()) {
            break;
        }
    }
    return names;
}

std::optional<FileFailure> loadLanguageFile(const std::string& folder, const std::string& name,
                                            LanguageTable& table) {
    std::string bytes;
    auto failure = readFile(languageFilePath(folder, name), bytes);
    if (!failure) {
        table.load(bytes);
    }
    return failure;
}

std::string startLanguage(const std::vector<std::string>& languages,
                          const std::string& remembered) {
    if (listed(languages, remembered)) {
        return remembered;
    }
    return languages.empty() ? std::string() : localeLanguage(languages, messageLocaleName());
}

std::string localeLanguage(const std::vector<std::string>& languages,
                           const std::string& localeName) {
    // "de_DE.UTF-8@euro" names the language "de"; "C" and "POSIX" name none.
    const std::string_view name(localeName);
    const std::string_view code = name.substr(0, name.find_first_of("_-.@"));
    std::vector<std::string_view> wanted;
    if (const LanguageName* language = languageOfCode(code)) {
        wanted = {language->native, language->english};
    }
    wanted.push_back("English");
    for (const std::string_view want : wanted) {
        for (const std::string& language : languages) {
            if (sameIgnoringCase(language, want)) {
                return language;
            }
        }
    }
    return languages.empty() ? std::string() : languages.front();
}

}  // namespace wendrake
