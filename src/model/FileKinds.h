// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <span>
#include <string_view>

#include "DataFileKind.h"

namespace wendrake {

// Everything the program knows about one kind of data file, in one place.
struct FileKindInfo {
    DataFileKind kind;
    // The file name's endings, dot included, compared without regard to case:
    // the game's own name and the name a backup copy gets.
    std::string_view ending;                       // ".cfg"
    std::string_view backupEnding;                 // ".cfg.backup"
    std::array<std::string_view, 2> openPatterns;  // the open dialog's filter
    std::string_view savePattern;                  // the save dialog's filter
    char commentMark;                              // starts a comment line
    int fileTypeText;  // language text naming the kind in dialog filters
};

// The three kinds in the order of the open dialog's filter list.
std::span<const FileKindInfo> fileKinds();

const FileKindInfo& fileKindInfo(DataFileKind kind);

}  // namespace wendrake
