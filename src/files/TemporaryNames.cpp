// SPDX-License-Identifier: GPL-3.0-or-later
#include "TemporaryNames.h"

#include <chrono>

namespace wendrake {

TemporaryNames::TemporaryNames(unsigned long long processId)
    : seed_(static_cast<unsigned long long>(
                std::chrono::steady_clock::now().time_since_epoch().count()) ^
            (processId << 32)) {}

std::string TemporaryNames::next(const std::string& path) {
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string name = path + '.';
    for (int i = 0; i < 6; ++i) {
        seed_ = seed_ * 6364136223846793005ULL + 1442695040888963407ULL;
        name += kLetters[(seed_ >> 33) % (sizeof kLetters - 1)];
    }
    return name;
}

}  // namespace wendrake
