// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "DiskFiles.h"
#include "SettingsFile.h"

namespace wendrake {

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// Where the window's settings store looks on Linux and other free systems:
// the user's XDG configuration folder, then the system's; in each, the
// program's own file first, then the one of its maker, who is named
// Wendrake too.
std::vector<std::string> settingsFilePaths() {
    std::string user = environment("XDG_CONFIG_HOME");
    if (user.empty()) {
        user = environment("HOME") + "/.config";
    }
    std::vector<std::string> folders{user};
    std::string system = environment("XDG_CONFIG_DIRS");
    if (system.empty()) {
        system = "/etc/xdg";
    }
    for (std::size_t start = 0; start <= system.size();) {
        const auto end = std::min(system.find(':', start), system.size());
        if (end > start) {
            folders.push_back(system.substr(start, end - start));
        }
        start = end + 1;
    }
    std::vector<std::string> paths;
    for (const std::string& folder : folders) {
        paths.push_back(folder + "/Wendrake/Wendrake.conf");
        paths.push_back(folder + "/Wendrake.conf");
    }
    return paths;
}

}  // namespace

// The first of the files that holds the key gives its value: the user's own
// first.
std::string readUserSetting(std::string_view section, std::string_view key) {
    for (const std::string& path : settingsFilePaths()) {
        std::string text;
        if (readFile(path, text)) {
            continue;
        }
        if (auto value = settingsValue(text, section, key)) {
            return *value;
        }
    }
    return {};
}

}  // namespace wendrake
