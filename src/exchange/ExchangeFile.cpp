#include "ExchangeFile.h"

#include <unordered_map>

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
    std::unordered_map<std::string_view, std::vector<std::size_t>> byName;
    byName.reserve(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        byName[records[i].name()].push_back(i);
    }
    // A name chosen twice writes its records twice, as chosen.
    for (const std::string& name : names) {
        const auto found = byName.find(name);
        if (found == byName.end()) {
            continue;
        }
        for (const std::size_t index : found->second) {
            text += FormatHandlingLine(records[index]);
            text += kCrLf;
        }
    }
    text += ";";
    text += kCrLf;
    text += ";the end";
    text += kCrLf;
    return text;
}

}  // namespace wendrake
