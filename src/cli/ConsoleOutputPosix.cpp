// SPDX-License-Identifier: GPL-3.0-or-later
#include "Output.h"

namespace wendrake {

// The bytes as they are: the terminal decodes them.
void writeOut(std::FILE* stream, std::string_view bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
}

}  // namespace wendrake
