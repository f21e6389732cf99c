// SPDX-License-Identifier: GPL-3.0-or-later
#include "CarColourFile.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <limits>

#include "ColourSections.h"
#include "CommaLine.h"
#include "FileHeader.h"
#include "TextLines.h"

namespace wendrake {

namespace {

constexpr std::size_t kMinimumCarValues = 3;

// In the palette a line whose first "#" is among its first five characters
// is a comment line; a colour line carries its "#" after the values.
bool isPaletteComment(std::string_view line) {
    const std::size_t hash = line.find('#');
    return hash != std::string_view::npos && hash < 5;
}

// A line of the palette that the reader takes for a colour.
bool isColourLine(std::string_view line) {
    return line.size() > 4 && !isPaletteComment(line);
}

// A line of the "car" section that the reader takes for a model.
bool isCarLine(std::string_view line) {
    return !isBlankText(line.substr(0, line.find('#')));
}

struct NumberReader {
    const CarColourReadTexts& texts;
    std::optional<ReadFailure>& failure;
    int lineNumber = 0;

    // A whole number of 16 bits, or a failure naming the line and the value.
    std::int16_t operator()(std::string_view text) {
        if (failure) {
            return 0;
        }
        std::size_t i = (!text.empty() && (text[0] == '+' || text[0] == '-')) ? 1 : 0;
        long value = 0;
        bool valid = i < text.size();
        for (; valid && i < text.size(); ++i) {
            if (text[i] < '0' || text[i] > '9') {
                valid = false;
                break;
            }
            value = value * 10 + (text[i] - '0');
            if (value > 32768) {
                valid = false;
            }
        }
        if (valid && text[0] == '-') {
            value = -value;
        }
        if (!valid || value < std::numeric_limits<std::int16_t>::min() ||
            value > std::numeric_limits<std::int16_t>::max()) {
            failure =
                ReadFailure{kTypeMismatchCode, texts.notAWholeNumber + std::to_string(lineNumber) +
                                                   ": \"" + std::string(text) + "\""};
            return 0;
        }
        return static_cast<std::int16_t>(value);
    }
};

bool isWholeNumber(std::string_view word) {
    if (!word.empty() && (word.front() == '-' || word.front() == '+')) {
        word.remove_prefix(1);
    }
    return !word.empty() && word.find_first_not_of("0123456789") == std::string_view::npos;
}

// Name and rest of a palette comment ("# 3 dark red<TAB>more"): the text after
// the "#", the colour's number and one blank, up to the first tab; the rest
// from that tab on. The number may follow the mark at once ("#3 red"), and a
// comment without a number ("# red") is all name: no word of it is lost.
void readColourName(std::string_view comment, ColourTableEntry& entry) {
    const std::size_t tab = comment.find('\t');
    entry.nameTail =
        tab == std::string_view::npos ? std::string() : std::string(comment.substr(tab));
    std::string_view name = comment.substr(0, tab);
    name.remove_prefix(std::min<std::size_t>(1, name.size()));  // the "#"
    name.remove_prefix(std::min(name.find_first_not_of(' '), name.size()));
    const std::string_view firstWord = name.substr(0, name.find(' '));
    if (isWholeNumber(firstWord)) {
        name.remove_prefix(firstWord.size());
        if (!name.empty()) {
            name.remove_prefix(1);  // the one blank after the number
        }
    }
    while (!name.empty() && name.back() == ' ') {
        name.remove_suffix(1);
    }
    entry.Name = name;
}

// The colour of a palette line that stands at position `number` in the palette.
ColourTableEntry readPaletteLine(std::string_view line, std::int16_t number, NumberReader& read) {
    ColourTableEntry entry;
    entry.Number = number;
    // The values stand before the first tab or "#", whichever comes first.
    const std::size_t end = std::min(line.find('\t'), line.find('#'));
    std::array<std::string, 3> rgb;
    forEachCommaValue(line.substr(0, end), [&rgb](std::size_t k, std::string_view value) {
        if (k < rgb.size()) {
            rgb[k] = value;
        }
    });
    entry.Red = read(rgb[0]);
    entry.Green = read(rgb[1]);
    entry.Blue = read(rgb[2]);
    if (const std::size_t hash = line.find('#'); hash != std::string_view::npos) {
        readColourName(line.substr(hash), entry);
    } else {
        entry.Name = "Color " + std::to_string(entry.Number);
    }
    return entry;
}

void readPalette(const std::vector<std::string_view>& lines,
                 const std::vector<ColourLinePlace>& places, const CarColourReadTexts& texts,
                 CarColourReadResult& result) {
    NumberReader number{texts, result.failure};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        ++number.lineNumber;
        if (places[i].isInside(ColourSection::FirstPalette) && isColourLine(line)) {
            if (result.palette.size() >= static_cast<std::size_t>(kTableLimit)) {
                result.failure = ReadFailure{kOverflowCode, "Overflow"};
                return;
            }
            ColourTableEntry entry =
                readPaletteLine(line, static_cast<std::int16_t>(result.palette.size()), number);
            if (result.failure) {
                return;
            }
            entry.source = SourceLine::of(line);
            result.palette.push_back(std::move(entry));
        }
    }
}

struct CarLine {
    CarColourRecord record;
    CommaCount count;
};

// The model and pairs of a car line. The values after the model name pair
// up; a last value without a partner is paired with the empty value, which
// fails the read.
CarLine readCarLine(std::string_view line, NumberReader& number) {
    CarLine read;
    CarColourRecord& record = read.record;
    const std::size_t hash = line.find('#');
    const std::string_view values = line.substr(0, hash);
    const auto pairs = static_cast<std::size_t>(std::count(values.begin(), values.end(), ',')) / 2;
    record.Color1.reserve(pairs);
    record.Color2.reserve(pairs);
    // The first of a pair is read as soon as it comes: the numbers are read
    // in the order they stand, so a failure names the first bad one.
    std::int16_t first = 0;
    read.count = forEachCommaValue(values, [&](std::size_t k, std::string_view value) {
        if (k == 0) {
            record.ModelName = value;
        } else if (k % 2 == 1) {
            first = number(value);
        } else {
            record.Color1.push_back(first);
            record.Color2.push_back(number(value));
        }
    });
    if (read.count.values >= 2 && read.count.values % 2 == 0) {
        record.Color1.push_back(first);
        record.Color2.push_back(number(std::string_view()));
    }
    if (hash != std::string_view::npos) {
        record.trailingComment = line.substr(hash);
    }
    return read;
}

void readCars(const std::vector<std::string_view>& lines,
              const std::vector<ColourLinePlace>& places, const CarColourReadTexts& texts,
              CarColourReadResult& result) {
    // Room for a model on every line of the "car" sections, made once: a
    // table that grows moves every model it holds, into memory new each time.
    const auto carSectionLines = static_cast<std::size_t>(std::count_if(
        places.begin(), places.end(),
        [](const ColourLinePlace& place) { return place.isInside(ColourSection::Cars); }));
    result.cars.reserve(std::min(carSectionLines, static_cast<std::size_t>(kTableLimit)));
    result.names.reserve(result.cars.capacity());
    NumberReader number{texts, result.failure};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        ++number.lineNumber;
        if (places[i].isInside(ColourSection::Cars) && isCarLine(line)) {
            CarLine read = readCarLine(line, number);
            if (read.count.withTrailingComma < kMinimumCarValues) {
                result.failure =
                    ReadFailure{0, texts.tooFewValues + std::to_string(number.lineNumber), true};
                return;
            }
            if (result.cars.size() >= static_cast<std::size_t>(kTableLimit)) {
                result.failure = ReadFailure{kOverflowCode, "Overflow"};
                return;
            }
            if (result.failure) {
                return;
            }
            read.record.source = SourceLine::of(line);
            result.names.push_back(read.record.ModelName);
            result.cars.push_back(std::move(read.record));
        }
    }
}

// Whether a line reads as exactly `entry` or `record`, so that a save that
// keeps the layout may leave it as it stands.
bool paletteLineHolds(std::string_view line, const ColourTableEntry& entry) {
    static const CarColourReadTexts kNoTexts;
    std::optional<ReadFailure> failure;
    NumberReader number{kNoTexts, failure};
    const ColourTableEntry read = readPaletteLine(line, entry.Number, number);
    return !failure && read == entry;
}

bool carLineHolds(std::string_view line, const CarColourRecord& record) {
    static const CarColourReadTexts kNoTexts;
    std::optional<ReadFailure> failure;
    NumberReader number{kNoTexts, failure};
    const CarLine read = readCarLine(line, number);
    return !failure && read.count.withTrailingComma >= kMinimumCarValues && read.record == record;
}

// The decimal digits of a palette number, as std::to_string writes them.
void appendNumber(std::string& text, std::int16_t number) {
    std::array<char, 8> digits{};
    const auto written = std::to_chars(digits.data(), digits.data() + digits.size(), number);
    text.append(digits.data(), written.ptr);
}

void appendLine(std::string& text, std::string_view line) {
    text += line;
    text += kCrLf;
}

void appendPaletteLine(std::string& text, const ColourTableEntry& entry) {
    const std::size_t start = text.size();
    appendNumber(text, entry.Red);
    text += ',';
    appendNumber(text, entry.Green);
    text += ',';
    appendNumber(text, entry.Blue);
    text += text.size() - start < 8 ? "\t\t\t\t" : "\t\t\t";
    text += "# ";
    appendNumber(text, entry.Number);
    text += ' ';
    text += entry.Name;
    text += entry.nameTail;
}

// The room for the line is made at once and the bytes put in place: a file
// has tens of thousands of model lines of some twenty numbers each.
void appendCarColourLine(std::string& text, const CarColourRecord& record) {
    constexpr std::size_t kMostPerPair = 16;  // ", -32768, -32768"
    const std::size_t pairs = std::min(record.Color1.size(), record.Color2.size());
    const std::size_t start = text.size();
    text.resize(start + record.ModelName.size() + pairs * kMostPerPair + 1 +
                record.trailingComment.size());
    char* out = text.data() + start;
    char* const last = text.data() + text.size();
    const auto put = [&out](std::string_view bytes) {
        std::memcpy(out, bytes.data(), bytes.size());
        out += bytes.size();
    };
    put(record.ModelName);
    for (std::size_t j = 0; j < pairs; ++j) {
        put(", ");
        out = std::to_chars(out, last, record.Color1[j]).ptr;
        put(", ");
        out = std::to_chars(out, last, record.Color2[j]).ptr;
    }
    if (!record.trailingComment.empty()) {
        *out++ = ' ';
        put(record.trailingComment);
    }
    text.resize(static_cast<std::size_t>(out - text.data()));
}

// A negative number is no place in the palette: such a colour is not saved.
bool isSaved(const ColourTableEntry& entry) {
    return entry.Number >= 0;
}

bool isSaved(const CarColourRecord&) {
    return true;
}

// The lines of one section's records, written once: where the first record
// line of the section stood, or before its "end" when it has none. Each line
// is appended to the save's text as it is made.
template <typename Record>
class RecordBlock {
  public:
    using AppendLine = void (*)(std::string&, const Record&);

    RecordBlock(std::string& text, const std::vector<Record>& records, AppendLine appendLine)
        : text_(text),
          records_(records),
          appendLine_(appendLine),
          empty_(std::none_of(records.begin(), records.end(),
                              [](const Record& r) { return isSaved(r); })) {}

    bool isEmpty() const { return empty_; }
    bool isWritten() const { return written_; }

    void writeOnce() {
        if (!written_) {
            for (const Record& record : records_) {
                if (isSaved(record)) {
                    appendLine_(text_, record);
                    text_ += kCrLf;
                }
            }
            written_ = true;
        }
    }

  private:
    std::string& text_;
    const std::vector<Record>& records_;
    AppendLine appendLine_;
    bool empty_;
    bool written_ = false;
};

// Appends a block that found no section of its own on disk, in a section
// of its own, after closing the section the file leaves open: a "col" or
// "car" line inside another section would be a line of that section, and
// its records would be lost or would keep the file from opening again.
template <typename Record>
void appendSection(std::string& text, std::string_view keyword, RecordBlock<Record>& block,
                   bool& sectionOpen) {
    if (block.isWritten() || block.isEmpty()) {
        return;
    }
    if (sectionOpen) {
        appendLine(text, "end");
        sectionOpen = false;
    }
    appendLine(text, keyword);
    block.writeOnce();
    appendLine(text, "end");
}

}  // namespace

std::string BuildCarColourText(std::string_view diskBytes,
                               const std::vector<ColourTableEntry>& palette,
                               const std::vector<CarColourRecord>& cars) {
    const std::vector<std::string_view> lines = linesWithoutTrailingEmpties(diskBytes);
    const std::vector<ColourLinePlace> places = colourLinePlaces(lines);
    std::string text = headerBlock('#');
    text.reserve(diskBytes.size() + palette.size() * 40 + cars.size() * 32 + 128);
    RecordBlock<ColourTableEntry> paletteBlock(text, palette, appendPaletteLine);
    RecordBlock<CarColourRecord> carBlock(text, cars, appendCarColourLine);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        const ColourLinePlace place = places[i];
        if (place.isInside(ColourSection::FirstPalette)) {
            // The colour lines give way to the palette, and so do blank lines
            // when there are colours to write; a line too short for a colour
            // was passed by and stays.
            if (isColourLine(line) || (isBlankText(line) && !paletteBlock.isEmpty())) {
                paletteBlock.writeOnce();
                continue;
            }
        } else if (place.isInside(ColourSection::Cars)) {
            // A car line with a trailing comment is a car line: its record
            // keeps the comment.
            if (!isBlankText(line.substr(0, line.find('#')))) {
                carBlock.writeOnce();
                continue;
            }
        } else if (place.keyword == SectionKeyword::Closes) {
            // A section without record lines takes its records before its "end".
            if (place.section == ColourSection::FirstPalette) {
                paletteBlock.writeOnce();
            } else if (place.section == ColourSection::Cars) {
                carBlock.writeOnce();
            }
        }
        if (place.keyword == SectionKeyword::None && isPaletteComment(line) &&
            isOldHeaderLine(line, '#')) {
            continue;
        }
        appendLine(text, line);
    }
    // A section without "end" takes its records at the end of the file.
    const bool sectionOpen = !places.empty() && places.back().section != ColourSection::None &&
                             places.back().keyword != SectionKeyword::Closes;
    if (sectionOpen && places.back().section == ColourSection::FirstPalette) {
        paletteBlock.writeOnce();
    } else if (sectionOpen && places.back().section == ColourSection::Cars) {
        carBlock.writeOnce();
    }
    bool stillOpen = sectionOpen;
    appendSection(text, "col", paletteBlock, stillOpen);
    appendSection(text, "car", carBlock, stillOpen);
    dropTrailingEmptyLines(text);
    return text;
}

namespace {

// Where a save that keeps the layout finds one table's record lines and
// puts the records added since: after its last record line, else before
// the "end" of its section, else at the end of a section left open.
struct TablePlaces {
    std::vector<bool> isRecordLine;
    std::optional<std::size_t> addedBefore;
};

TablePlaces tablePlaces(const std::vector<EndedLine>& lines,
                        const std::vector<ColourLinePlace>& places, ColourSection section,
                        bool (*isRecordLine)(std::string_view)) {
    TablePlaces table;
    table.isRecordLine.assign(lines.size(), false);
    std::optional<std::size_t> last;
    std::optional<std::size_t> firstEnd;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (places[i].isInside(section) && isRecordLine(lines[i].text)) {
            table.isRecordLine[i] = true;
            last = i;
        } else if (places[i].section == section && places[i].keyword == SectionKeyword::Closes) {
            firstEnd = firstEnd.value_or(i);
        }
    }
    const bool openAtEnd = !places.empty() && places.back().section == section &&
                           places.back().keyword != SectionKeyword::Closes;
    if (last) {
        table.addedBefore = *last + 1;
    } else if (firstEnd) {
        table.addedBefore = firstEnd;
    } else if (openAtEnd) {
        table.addedBefore = lines.size();
    }
    return table;
}

// One table of a save that keeps the layout: which record each line stands
// for, and the records to add.
template <typename Record>
struct KeptTable {
    TablePlaces places;
    std::vector<std::size_t> claimed;
    std::vector<std::size_t> added;
    bool everyRecordInPlace = true;

    KeptTable(const std::vector<Record>& tableRecords, const std::vector<EndedLine>& lines,
              TablePlaces tablePlaces)
        : places(std::move(tablePlaces)) {
        SourceClaims claims(tableRecords);
        claimed.assign(lines.size(), SourceClaims::kNone);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (places.isRecordLine[i]) {
                claimed[i] = claims.claim(lines[i].text);
            }
        }
        added = claims.untaken();
        everyRecordInPlace = !claims.anyLineLost();
    }

    bool hasPlace() const { return added.empty() || places.addedBefore.has_value(); }

    // The records in the order the saved file holds them.
    std::vector<std::size_t> writtenOrder() const {
        std::vector<std::size_t> order;
        for (const std::size_t r : claimed) {
            if (r != SourceClaims::kNone) {
                order.push_back(r);
            }
        }
        order.insert(order.end(), added.begin(), added.end());
        return order;
    }
};

}  // namespace

std::optional<KeptLayoutText> BuildCarColourTextKeepingLayout(
    std::string_view diskBytes, const std::vector<ColourTableEntry>& palette,
    const std::vector<CarColourRecord>& cars) {
    const std::vector<EndedLine> lines = splitEndedLines(diskBytes);
    std::vector<std::string_view> texts;
    texts.reserve(lines.size());
    for (const EndedLine& line : lines) {
        texts.push_back(line.text);
    }
    const std::vector<ColourLinePlace> places = colourLinePlaces(texts);
    const KeptTable<ColourTableEntry> colours(
        palette, lines, tablePlaces(lines, places, ColourSection::FirstPalette, isColourLine));
    const KeptTable<CarColourRecord> models(
        cars, lines, tablePlaces(lines, places, ColourSection::Cars, isCarLine));
    if (!colours.hasPlace() || !models.hasPlace()) {
        return std::nullopt;
    }
    // A colour's number is its place in the palette: the saved palette must
    // hold the colours in table order, or every pair would name another one.
    const std::vector<std::size_t> order = colours.writtenOrder();
    for (std::size_t k = 0; k < order.size(); ++k) {
        if (order[k] != k || palette[k].Number != static_cast<std::int16_t>(k)) {
            return std::nullopt;
        }
    }

    KeptLayoutText result;
    result.everyRecordInPlace = colours.everyRecordInPlace && models.everyRecordInPlace;
    result.sources.resize(palette.size());
    result.carSources.resize(cars.size());
    KeptLines text(diskBytes.size() + (colours.added.size() + models.added.size()) * 40 + 64);
    const auto addRecords = [&](std::size_t i) {
        if (i == colours.places.addedBefore) {
            for (const std::size_t r : colours.added) {
                const std::string written = FormatPaletteLine(palette[r]);
                text.add(written);
                result.sources[r] = SourceLine::of(written);
            }
        }
        if (i == models.places.addedBefore) {
            for (const std::size_t r : models.added) {
                const std::string written = FormatCarColourLine(cars[r]);
                text.add(written);
                result.carSources[r] = SourceLine::of(written);
            }
        }
    };
    std::size_t numberOnDisk = 0;  // the number the reader gives the colour of a line
    for (std::size_t i = 0; i < lines.size(); ++i) {
        addRecords(i);
        const EndedLine& line = lines[i];
        if (colours.places.isRecordLine[i]) {
            const std::size_t r = colours.claimed[i];
            if (r == SourceClaims::kNone) {
                ++numberOnDisk;
                continue;  // a deleted colour
            }
            // A colour renumbered by a deletion is written with its new number.
            const bool holds = numberOnDisk++ == r && paletteLineHolds(line.text, palette[r]);
            const std::string written = holds ? std::string() : FormatPaletteLine(palette[r]);
            text.put(holds ? line.text : written, line.end);
            result.sources[r] = SourceLine::of(holds ? line.text : written);
        } else if (models.places.isRecordLine[i]) {
            const std::size_t r = models.claimed[i];
            if (r == SourceClaims::kNone) {
                continue;
            }
            const bool holds = carLineHolds(line.text, cars[r]);
            const std::string written = holds ? std::string() : FormatCarColourLine(cars[r]);
            text.put(holds ? line.text : written, line.end);
            result.carSources[r] = SourceLine::of(holds ? line.text : written);
        } else {
            text.keep(line);
        }
    }
    addRecords(lines.size());
    result.text = text.take();
    return result;
}

CarColourReadResult LoadCarColourFile(std::string_view bytes, const CarColourReadTexts& texts) {
    CarColourReadResult result;
    const std::vector<std::string_view> lines = splitLines(bytes);
    const std::vector<ColourLinePlace> places = colourLinePlaces(lines);
    readPalette(lines, places, texts, result);
    if (!result.failure) {
        readCars(lines, places, texts, result);
    }
    return result;
}

std::string FormatPaletteLine(const ColourTableEntry& entry) {
    std::string line;
    appendPaletteLine(line, entry);
    return line;
}

std::string FormatCarColourLine(const CarColourRecord& record) {
    std::string line;
    appendCarColourLine(line, record);
    return line;
}

}  // namespace wendrake
