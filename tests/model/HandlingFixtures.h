#pragma once

#include <string>

namespace wendrake::fixtures {

// A valid handling line for `name`, laid out loosely (single blanks, short
// mass), so that a save visibly reformats it.
inline std::string dataLine(const std::string& name, const std::string& mass = "1500.0") {
    return name + " " + mass +
           " 2.0 1.5 4.8 0.00 0.00 -0.10 75 0.90 0.75 0.50 4 110.0 2.0 R P 0.80 0.55 1 30.0 "
           "1.20 0.10 0.30 1.00 12500 0.25 -0.15 0.50 0000 0 0";
}

// The same vehicle as the game-ready line a save writes.
inline std::string savedLine(const std::string& name, const std::string& mass = "1500.0") {
    std::string padded = name;
    if (padded.size() < 14) {
        padded.append(14 - padded.size(), ' ');
    }
    std::string massField = mass;
    if (massField.size() < 7) {
        massField.insert(0, 7 - massField.size(), ' ');
    }
    return padded + " " + massField +
           " 2.0 1.5 4.8 0.00 0.00 -0.10 75 0.90 0.75 0.50 4 110.0 2.0 R P 0.80 0.55 1 30.0 "
           "1.20 0.10 0.30 1.00  12500 0.25 -0.15 0.50 0000 0 0";
}

inline const std::string kHeader =
    "; File created with Wendrake V2.0.0\r\n; Homepage: https://wendrake.org/\r\n";

}  // namespace wendrake::fixtures
