// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "model/LanguageTable.h"

namespace wendrake::fuzz {

// The English texts, read once from the source tree's language file, so that
// messages and error rows are built as in the program.
const LanguageTable& englishTexts();

// The bytes of samples/handling.cfg of the source tree.
const std::string& sampleHandlingFile();

// Stops the run as a crash that libFuzzer saves: `what` the broken promise,
// `detail` the bytes concerned, shown escaped and shortened.
[[noreturn]] void fail(std::string_view what, std::string_view detail = {});

inline void expect(bool holds, std::string_view what, std::string_view detail = {}) {
    if (!holds) {
        fail(what, detail);
    }
}

}  // namespace wendrake::fuzz
