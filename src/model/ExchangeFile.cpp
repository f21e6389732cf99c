// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExchangeFile.h"

#include "model/FileHeader.h"
#include "model/HandlingLine.h"
#include "model/TextLines.h"

namespace wendrake {

std::string BuildExchangeFile(const std::vector<HandlingRecord>& records,
                              const std::vector<std::string>& names, std::string_view author,
                              std::string_view date) {
    std::string text = headerBlock(';');
    for (const std::string_view line :
         {"; Author: " + std::string(author), "; Created " + std::string(date), std::string(";"),
          std::string("; > COMMENTS <"), std::string("; ------------"),
          std::string("; TWEAK AT YOUR OWN RISK"), std::string(";"), std::string("; > THE DATA <"),
          std::string("; ------------"), std::string(";")}) {
        text += line;
        text += kCrLf;
    }
    appendHandlingLines(text, records, names, false);
    text += kClosingLines;
    return text;
}

}  // namespace wendrake
