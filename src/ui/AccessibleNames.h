// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace wendrake {

// Gives every control under `root` the name a screen reader says for it,
// from what the player reads beside it: a box its caption (a combo box
// would otherwise be named by its current entry), a list the title of the
// group it stands in, a filter box its placeholder. Names set this way
// follow the language when called again; names set by hand stay.
void nameControlsByCaptions(QWidget* root);

}  // namespace wendrake
