// SPDX-License-Identifier: GPL-3.0-or-later
#include "KeptLayout.h"

#include "TextLines.h"

namespace wendrake {

std::vector<EndedLine> splitEndedLines(std::string_view text) {
    std::vector<EndedLine> lines;
    const std::size_t size = text.size();
    std::size_t start = 0;
    while (start < size) {
        const std::size_t cr = text.find('\r', start);
        if (cr == std::string_view::npos) {
            lines.push_back({text.substr(start), {}});
            break;
        }
        const std::size_t endLength = cr + 1 < size && text[cr + 1] == '\n' ? 2 : 1;
        lines.push_back({text.substr(start, cr - start), text.substr(cr, endLength)});
        start = cr + endLength;
    }
    return lines;
}

std::size_t SourceClaims::claim(std::string_view line) {
    const auto found = byHash_.find(SourceLine::of(line).hash);
    if (found == byHash_.end() || found->second.empty()) {
        return kNone;
    }
    const std::size_t record = found->second.back();
    found->second.pop_back();
    taken_[record] = true;
    return record;
}

std::vector<std::size_t> SourceClaims::untaken() const {
    std::vector<std::size_t> records;
    for (std::size_t i = 0; i < taken_.size(); ++i) {
        if (!taken_[i]) {
            records.push_back(i);
        }
    }
    return records;
}

bool SourceClaims::anyLineLost() const {
    for (std::size_t i = 0; i < taken_.size(); ++i) {
        if (known_[i] && !taken_[i]) {
            return true;
        }
    }
    return false;
}

void KeptLines::put(std::string_view text, std::string_view end) {
    text_ += text;
    text_ += end;
}

void KeptLines::add(std::string_view text) {
    if (!text_.empty() && text_.back() != '\n' && text_.back() != '\r') {
        text_ += kCrLf;
    }
    text_ += text;
    text_ += kCrLf;
}

}  // namespace wendrake
