// SPDX-License-Identifier: GPL-3.0-or-later
#include <windows.h>

#include <string>

#include "SettingsFile.h"
#include "WideText.h"

namespace wendrake {

namespace {

// The text stored under `key` of the registry key `path`, when it is one.
std::optional<std::string> registryText(HKEY root, const std::wstring& path,
                                        const std::wstring& key) {
    DWORD size = 0;
    constexpr DWORD kText = RRF_RT_REG_SZ;  // how the window's settings store writes a text
    if (RegGetValueW(root, path.c_str(), key.c_str(), kText, nullptr, nullptr, &size) !=
            ERROR_SUCCESS ||
        size < sizeof(wchar_t)) {
        return std::nullopt;
    }
    std::wstring value(size / sizeof(wchar_t), L'\0');
    if (RegGetValueW(root, path.c_str(), key.c_str(), kText, nullptr, value.data(), &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    value.resize(size / sizeof(wchar_t));
    while (!value.empty() && value.back() == L'\0') {
        value.pop_back();
    }
    return utf8FromWide(value);
}

}  // namespace

// On Windows the window's settings store keeps its values in the registry,
// a section as a key of its own under Software\Wendrake\Wendrake. It looks
// in the user's part first, then in the defaults for the maker's programs,
// then in the machine's part.
std::string readUserSetting(std::string_view section, std::string_view key) {
    const std::wstring subkey = L"\\" + wideFromUtf8(section);
    const std::wstring name = wideFromUtf8(key);
    for (const HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        for (const wchar_t* program :
             {L"Software\\Wendrake\\Wendrake", L"Software\\Wendrake\\OrganizationDefaults"}) {
            if (auto value = registryText(root, program + subkey, name)) {
                return *value;
            }
        }
    }
    return {};
}

}  // namespace wendrake
