// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace wendrake {

// Names for a new file beside `path`: `path`, a dot and six letters or
// digits, another on every call, drawn from the time and the process, so
// that two saves of one file rarely try the same name. Whoever creates the
// file still makes sure it is new, and tries the next name when it is not.
class TemporaryNames {
  public:
    static constexpr int kAttempts = 100;

    explicit TemporaryNames(unsigned long long processId);
    std::string next(const std::string& path);

  private:
    unsigned long long seed_;
};

}  // namespace wendrake
