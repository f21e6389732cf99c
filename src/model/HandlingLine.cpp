// SPDX-License-Identifier: GPL-3.0-or-later
#include "HandlingLine.h"

#include <algorithm>
#include <functional>
#include <memory>

#include "LanguageTable.h"
#include "Numeric.h"
#include "TextLines.h"

namespace wendrake {

namespace {

constexpr std::size_t kHeadLength = 14;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

void appendPaddedRight(std::string& text, std::string_view value, std::size_t width) {
    text += value;
    if (value.size() < width) {
        text.append(width - value.size(), ' ');
    }
}

void appendPaddedLeft(std::string& text, std::string_view value, std::size_t width) {
    if (value.size() < width) {
        text.append(width - value.size(), ' ');
    }
    text += value;
}

bool failsCheck(ValueCheck check, std::string_view token) {
    switch (check) {
        case ValueCheck::MustBeNumeric:
            return !isNumeric(token);
        case ValueCheck::MustNotBeNumeric:
            return isNumeric(token);
        case ValueCheck::None:
            return false;
    }
    return false;
}

// The name the error rows of one line share, made when the first row needs it.
class RowName {
  public:
    explicit RowName(const HandlingTokens& tokens) : tokens_(tokens) {}

    std::shared_ptr<const std::string> get() {
        if (!name_) {
            name_ = std::make_shared<const std::string>(tokens_.empty() ? std::string_view()
                                                                        : tokens_.front());
        }
        return name_;
    }

  private:
    const HandlingTokens& tokens_;
    std::shared_ptr<const std::string> name_;
};

// Value `index` of a split line, or the empty text when the line is
// shorter; a value that fails its check adds an error row.
std::string_view checkedValue(const HandlingTokens& tokens, int index,
                              const HandlingReadTexts& texts, RowName& name, ErrorRows& errors) {
    const HandlingFieldInfo& info = handlingFieldInfo(index);
    if (static_cast<std::size_t>(index) >= tokens.values.size()) {
        return {};
    }
    const std::string_view token = tokens.values[static_cast<std::size_t>(index)];
    if (failsCheck(info.check, token)) {
        const bool wantsText = info.check == ValueCheck::MustNotBeNumeric;
        errors.emplace_back(name.get(), texts.captions[static_cast<std::size_t>(index)],
                            wantsText ? texts.mustNotBeNumeric : texts.mustBeNumeric, index);
    }
    return token;
}

// The line of a record, without line end, appended to `text`.
void appendHandlingLine(std::string& text, const HandlingRecord& record) {
    const std::size_t start = text.size();
    const int written = writtenFieldCount(record);
    for (int k = 0; k < written; ++k) {
        const std::string_view value = record.value(k);
        if (k > 0) {
            text += ' ';
        }
        switch (static_cast<HandlingField>(k)) {
            case HandlingField::Autoname:
                appendPaddedRight(text, value, 14);
                break;
            case HandlingField::Gewicht:
                appendPaddedLeft(text, value, 7);
                break;
            case HandlingField::Preis:
                appendPaddedLeft(text, value, 6);
                break;
            default:
                text += value;
        }
    }
    for (const std::string& value : record.extraValues) {
        text += ' ';
        text += value;
    }
    if (!record.trailingComment.empty()) {
        text += ' ';
        text += record.trailingComment;
    } else if (text.size() - start <= kHeadLength) {
        // A line is a vehicle line only when it is longer than the name's
        // 14 columns: a short name alone gets one blank more.
        text.append(kHeadLength + 1 - (text.size() - start), ' ');
    }
}

// The records of each name, in table order: one pass over the table, then
// one look-up per name (open addressing over the names' hashes, which are
// kept so that a probe rarely has to read a record).
class RecordsByName {
  public:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    explicit RecordsByName(const std::vector<HandlingRecord>& records)
        : records_(records), next_(records.size(), kNone) {
        std::size_t slots = 16;
        while (slots < 2 * records.size()) {
            slots *= 2;
        }
        mask_ = slots - 1;
        slots_.assign(slots, Slot{});
        for (std::size_t i = 0; i < records.size(); ++i) {
            const std::string_view name = records[i].name();
            const std::size_t hash = hashOf(name);
            Slot& slot = slotOf(name, hash);
            if (slot.first == kNone) {
                slot.hash = hash;
                slot.first = i;
            } else {
                next_[slot.last] = i;
            }
            slot.last = i;
        }
    }

    // The first record named `name` that has not been taken, or kNone.
    std::size_t first(std::string_view name) const {
        const Slot& slot = slotOf(name, hashOf(name));
        return slot.taken ? kNone : slot.first;
    }

    // The record after `index` with the same name, or kNone.
    std::size_t next(std::size_t index) const { return next_[index]; }

    // The records of `name` are not found again.
    void take(std::string_view name) { slotOf(name, hashOf(name)).taken = true; }

  private:
    struct Slot {
        std::size_t hash = 0;
        std::size_t first = kNone;
        std::size_t last = kNone;
        bool taken = false;
    };

    static std::size_t hashOf(std::string_view name) { return std::hash<std::string_view>{}(name); }

    // The slot of `name`: where its records are, or the free slot it gets.
    std::size_t slotIndex(std::string_view name, std::size_t hash) const {
        std::size_t at = hash & mask_;
        while (slots_[at].first != kNone &&
               (slots_[at].hash != hash || records_[slots_[at].first].name() != name)) {
            at = (at + 1) & mask_;
        }
        return at;
    }
    Slot& slotOf(std::string_view name, std::size_t hash) { return slots_[slotIndex(name, hash)]; }
    const Slot& slotOf(std::string_view name, std::size_t hash) const {
        return slots_[slotIndex(name, hash)];
    }

    const std::vector<HandlingRecord>& records_;
    std::vector<std::size_t> next_;
    std::vector<Slot> slots_;
    std::size_t mask_ = 0;
};

}  // namespace

HandlingReadTexts HandlingReadTexts::fromLanguage(const LanguageTable& language) {
    HandlingReadTexts texts;
    for (int i = 0; i < kHandlingFieldCount; ++i) {
        texts.captions[static_cast<std::size_t>(i)] =
            language.text(handlingFieldInfo(i).captionText);
    }
    texts.mustNotBeNumeric = language.text(Text::MustNotBeNumeric);
    texts.mustBeNumeric = language.text(Text::MustBeNumeric);
    texts.wrongCount = language.text(Text::WrongValueCount);
    texts.wrongCountTail = language.text(Text::WrongValueCountTail);
    texts.utf16Refused = language.text(Text::Utf16Refused);
    return texts;
}

void splitHandlingTokens(std::string_view line, HandlingTokens& tokens) {
    tokens.values.clear();
    tokens.count = 0;
    std::size_t i = 0;
    const std::size_t n = line.size();
    while (i < n) {
        while (i < n && isBlank(line[i])) {
            ++i;
        }
        const std::size_t start = i;
        while (i < n && !isBlank(line[i])) {
            ++i;
        }
        if (i > start) {
            tokens.values.push_back(line.substr(start, i - start));
        }
    }
    tokens.count = tokens.values.size();
}

HandlingTokens handlingTokens(std::string_view line) {
    HandlingTokens tokens;
    tokens.values.reserve(kHandlingFieldCount);
    splitHandlingTokens(line, tokens);
    return tokens;
}

int CountHandlingFields(std::string_view line) {
    return static_cast<int>(handlingTokens(line).count);
}

std::string handlingFieldFromTokens(const HandlingTokens& tokens, int index,
                                    const HandlingReadTexts& texts, ErrorRows& errors) {
    RowName name(tokens);
    return std::string(checkedValue(tokens, index, texts, name, errors));
}

std::string ReadHandlingField(std::string_view line, int index, const HandlingReadTexts& texts,
                              ErrorRows& errors) {
    return handlingFieldFromTokens(handlingTokens(line), index, texts, errors);
}

HandlingRecord readHandlingRecord(const HandlingTokens& tokens, std::string_view comment,
                                  const HandlingReadTexts& texts, ErrorRows& errors) {
    HandlingRecord record;
    readHandlingRecord(tokens, comment, texts, errors, record);
    return record;
}

void readHandlingRecord(const HandlingTokens& tokens, std::string_view comment,
                        const HandlingReadTexts& texts, ErrorRows& errors, HandlingRecord& record) {
    RowName name(tokens);
    if (tokens.count != static_cast<std::size_t>(kHandlingFieldCount)) {
        // The name of the count row is taken unchecked: a numeric name is
        // reported once, by the name's own check below.
        errors.emplace_back(
            name.get(), std::string(),
            texts.wrongCount + ": " + std::to_string(tokens.count) + " " + texts.wrongCountTail,
            -1);
    }
    for (int k = 0; k < kHandlingFieldCount; ++k) {
        checkedValue(tokens, k, texts, name, errors);
    }
    record.setValues(tokens.values.data(), tokens.values.size());
    const auto firstExtra = static_cast<std::size_t>(kHandlingFieldCount);
    record.extraValues.clear();
    if (tokens.values.size() > firstExtra) {
        record.extraValues.assign(tokens.values.begin() + kHandlingFieldCount, tokens.values.end());
    }
    record.valueCount = tokens.count;
    record.trailingComment = comment;
}

void addHandlingRecordRows(const HandlingRecord& record, const HandlingReadTexts& texts,
                           ErrorRows& errors) {
    std::shared_ptr<const std::string> name;
    const auto rowName = [&] {
        if (!name) {
            name = std::make_shared<const std::string>(record.name());
        }
        return name;
    };
    const int written = writtenFieldCount(record);
    const std::size_t count = static_cast<std::size_t>(written) + record.extraValues.size();
    if (count != static_cast<std::size_t>(kHandlingFieldCount)) {
        errors.emplace_back(
            rowName(), std::string(),
            texts.wrongCount + ": " + std::to_string(count) + " " + texts.wrongCountTail, -1);
    }
    for (int k = 0; k < written; ++k) {
        const ValueCheck check = handlingFieldInfo(k).check;
        if (failsCheck(check, record.value(k))) {
            errors.emplace_back(rowName(), texts.captions[static_cast<std::size_t>(k)],
                                check == ValueCheck::MustNotBeNumeric ? texts.mustNotBeNumeric
                                                                      : texts.mustBeNumeric,
                                k);
        }
    }
}

std::string FormatHandlingLine(const HandlingRecord& record) {
    std::string line;
    line.reserve(120);
    appendHandlingLine(line, record);
    return line;
}

namespace {

template <typename Names>
void appendLinesByName(std::string& text, const std::vector<HandlingRecord>& records,
                       const Names& names, bool onceEach, std::vector<SourceLine>* sources) {
    RecordsByName byName(records);
    for (const std::string_view name : names) {
        std::size_t index = byName.first(name);
        if (index == RecordsByName::kNone) {
            continue;
        }
        for (; index != RecordsByName::kNone; index = byName.next(index)) {
            const std::size_t start = text.size();
            appendHandlingLine(text, records[index]);
            if (sources) {
                (*sources)[index] = SourceLine::of(std::string_view(text).substr(start));
            }
            text += kCrLf;
        }
        if (onceEach) {
            byName.take(name);  // a later entry of the same name writes nothing more
        }
    }
}

}  // namespace

void appendHandlingLines(std::string& text, const std::vector<HandlingRecord>& records,
                         const std::vector<std::string>& names, bool onceEach) {
    appendLinesByName(text, records, names, onceEach, nullptr);
}

void appendHandlingLines(std::string& text, const std::vector<HandlingRecord>& records,
                         const std::vector<std::string_view>& names,
                         std::vector<SourceLine>* sources) {
    appendLinesByName(text, records, names, true, sources);
}

namespace {

// Names equal but for case sort as one: a run of them longer than this is
// left to the look-up by name, which stays linear however long it is.
constexpr std::size_t kLongestCaseRun = 64;

// The records of the list's entries [from, to), names equal but for case,
// in the order a look-up by name writes them: each name at its first
// entry, its records in table order. Empty when an entry does not name its
// record, or a record stands twice.
std::vector<std::size_t> caseRunOrder(const std::vector<HandlingRecord>& records,
                                      const VehicleList& list, std::size_t from, std::size_t to) {
    const std::vector<std::string>& names = list.entries();
    std::vector<std::pair<std::size_t, std::size_t>> order;  // first entry of the name, record
    for (std::size_t k = from; k < to; ++k) {
        std::size_t first = from;
        while (names[first] != names[k]) {
            ++first;
        }
        order.emplace_back(first, static_cast<std::size_t>(list.recordAt(static_cast<int>(k))));
    }
    std::sort(order.begin(), order.end());
    std::vector<std::size_t> indexes;
    for (std::size_t k = 0; k < order.size(); ++k) {
        const std::size_t index = order[k].second;
        if (index >= records.size() || records[index].name() != names[order[k].first] ||
            (k > 0 && order[k - 1] == order[k])) {
            return {};
        }
        indexes.push_back(index);
    }
    return indexes;
}

}  // namespace

bool appendHandlingLinesInListOrder(std::string& text, const std::vector<HandlingRecord>& records,
                                    const VehicleList& list, std::vector<SourceLine>* sources) {
    const std::vector<std::string>& names = list.entries();
    const std::size_t before = text.size();
    const auto giveUp = [&] {
        text.resize(before);
        if (sources) {
            sources->assign(records.size(), SourceLine{});
        }
        return false;
    };
    if (names.size() != records.size()) {
        return false;
    }
    // The records are met in the order of their names, scattered over
    // memory: each is fetched some entries ahead, its record first, then
    // its values, so that writing a line seldom waits for either.
    constexpr std::size_t kRecordAhead = 16;
    constexpr std::size_t kValuesAhead = 8;
    const auto prefetch = [](const void* address) {
#if defined(__GNUC__)
        __builtin_prefetch(address);
#else
        (void)address;
#endif
    };
    const auto fetchAhead = [&](std::size_t i) {
        if (i + kRecordAhead < names.size()) {
            const auto ahead =
                static_cast<std::size_t>(list.recordAt(static_cast<int>(i + kRecordAhead)));
            if (ahead < records.size()) {
                prefetch(&records[ahead]);
            }
        }
        if (i + kValuesAhead < names.size()) {
            const auto ahead =
                static_cast<std::size_t>(list.recordAt(static_cast<int>(i + kValuesAhead)));
            if (ahead < records.size()) {
                prefetch(records[ahead].values().joined().data());
            }
        }
    };
    std::vector<std::size_t> run;
    for (std::size_t i = 0; i < names.size();) {
        fetchAhead(i);
        std::size_t to = i + 1;
        while (to < names.size() && !VehicleList::lessThan(names[to - 1], names[to])) {
            if (VehicleList::lessThan(names[to], names[to - 1]) || to - i >= kLongestCaseRun) {
                return giveUp();  // not sorted, or too long a run
            }
            ++to;
        }
        if (to == i + 1) {
            run.assign(1, static_cast<std::size_t>(list.recordAt(static_cast<int>(i))));
            if (run[0] >= records.size() || records[run[0]].name() != names[i]) {
                return giveUp();
            }
        } else {
            run = caseRunOrder(records, list, i, to);
            if (run.empty()) {
                return giveUp();
            }
        }
        for (const std::size_t index : run) {
            const std::size_t start = text.size();
            appendHandlingLine(text, records[index]);
            if (sources) {
                (*sources)[index] = SourceLine::of(std::string_view(text).substr(start));
            }
            text += kCrLf;
        }
        i = to;
    }
    return true;
}

bool isForeignSectionValue(std::string_view firstValue) {
    return !firstValue.empty() &&
           std::string_view("!$%^").find(firstValue.front()) != std::string_view::npos;
}

HandlingLineClass classifyHandlingLine(std::string_view line) {
    HandlingLineClass result;
    result.line = line;
    result.markInHead = line.substr(0, kHeadLength).find(';');
    const std::size_t mark = line.find(';');
    result.values = line.substr(0, mark);
    result.comment = mark == std::string_view::npos ? std::string_view() : line.substr(mark);
    if (line.size() > kHeadLength && result.markInHead == std::string_view::npos) {
        const std::size_t first = result.values.find_first_not_of(" \t");
        if (first != std::string_view::npos) {
            result.isForeign = isForeignSectionValue(result.values.substr(first, 1));
            result.isData = !result.isForeign;
        }
    }
    return result;
}

bool handlingLineHolds(std::string_view line, const HandlingRecord& record) {
    const HandlingLineClass kind = classifyHandlingLine(line);
    if (!kind.isData) {
        return false;
    }
    static const HandlingReadTexts kNoTexts;
    ErrorRows ignored;
    HandlingRecord read;
    readHandlingRecord(handlingTokens(kind.values), kind.comment, kNoTexts, ignored, read);
    return read == record;
}

}  // namespace wendrake
