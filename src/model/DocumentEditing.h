// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "EditorDocument.h"

namespace wendrake {

// Undo: the working tables of the loaded kind become copies of their
// snapshots again, and the vehicle list is rebuilt from them. The saved
// state, the path and the kind are left alone.
void revertToSaved(EditorDocument& document);

}  // namespace wendrake
