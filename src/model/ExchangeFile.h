// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/HandlingRecord.h"

namespace wendrake {

// The exchange file players pass tuned vehicles in: twelve comment lines
// (our header, the author and date, a short preamble), for each name in the
// order given the handling lines of every record of exactly that name in
// table order, then ";" and ";the end". Every line ends in CR LF.
std::string BuildExchangeFile(const std::vector<HandlingRecord>& records,
                              const std::vector<std::string>& names, std::string_view author,
                              std::string_view date);

}  // namespace wendrake
