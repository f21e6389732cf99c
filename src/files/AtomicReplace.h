// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/FileSystem.h"

namespace wendrake {

// The platform's part of a safe save: `bytes` go to a new file beside
// `path` (a link followed to its file), reach the disk, take the old file's
// permissions and then its place in one step. On failure the old file is
// left as it was and the new one removed.
std::optional<FileFailure> replaceAtomically(const std::string& path, std::string_view bytes);

}  // namespace wendrake
