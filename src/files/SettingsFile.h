// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace wendrake {

// The value of `key` in `[section]` of a settings file's text, as the
// window stored it: empty when it is no single text (a list); nothing when
// the key is missing.
std::optional<std::string> settingsValue(std::string_view text, std::string_view section,
                                         std::string_view key);

// The value of one key of the window's settings, where the window's
// settings store keeps them on this system; empty when there is none.
std::string readUserSetting(std::string_view section, std::string_view key);

}  // namespace wendrake
