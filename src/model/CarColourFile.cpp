#include "CarColourFile.h"

#include <algorithm>
#include <array>
#include <charconv>
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

// Name and rest of a palette comment ("# 3 dark red<TAB>more"): the text after
// the "#", the number and one blank, up to the first tab; the rest from that
// tab on. Fewer than three words give the empty name.
void readColourName(std::string_view comment, ColourTableEntry& entry) {
    const std::size_t tab = comment.find('\t');
    const std::string_view head = comment.substr(0, tab);
    entry.nameTail =
        tab == std::string_view::npos ? std::string() : std::string(comment.substr(tab));

    int words = 0;
    for (std::size_t i = 0; i < head.size();) {
        while (i < head.size() && head[i] == ' ') {
            ++i;
        }
        if (i < head.size()) {
            ++words;
        }
        while (i < head.size() && head[i] != ' ') {
            ++i;
        }
    }
    if (words < 3) {
        entry.Name.clear();
        return;
    }
    std::size_t i = 1;  // past the "#"
    while (i < head.size() && head[i] == ' ') {
        ++i;
    }
    while (i < head.size() && head[i] != ' ') {
        ++i;
    }
    if (i < head.size()) {
        ++i;  // the one blank after the number
    }
    std::string_view name = head.substr(i);
    while (!name.empty() && name.back() == ' ') {
        name.remove_suffix(1);
    }
    entry.Name = name;
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
            ColourTableEntry entry;
            entry.Number = static_cast<std::int16_t>(result.palette.size());
            // The values stand before the first tab or "#", whichever comes first.
            const std::size_t end = std::min(line.find('\t'), line.find('#'));
            std::array<std::string, 3> rgb;
            forEachCommaValue(line.substr(0, end), [&rgb](std::size_t k, std::string_view value) {
                if (k < rgb.size()) {
                    rgb[k] = value;
                }
            });
            entry.Red = number(rgb[0]);
            entry.Green = number(rgb[1]);
            entry.Blue = number(rgb[2]);
            if (const std::size_t hash = line.find('#'); hash != std::string_view::npos) {
                readColourName(line.substr(hash), entry);
            } else {
                entry.Name = "Color " + std::to_string(entry.Number);
            }
            if (result.failure) {
                return;
            }
            result.palette.push_back(std::move(entry));
        }
    }
}

void readCars(const std::vector<std::string_view>& lines,
              const std::vector<ColourLinePlace>& places, const CarColourReadTexts& texts,
              CarColourReadResult& result) {
    NumberReader number{texts, result.failure};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        ++number.lineNumber;
        const std::size_t hash = line.find('#');
        const std::string_view values = line.substr(0, hash);
        if (places[i].isInside(ColourSection::Cars) && !isBlankText(values)) {
            // The values after the model name pair up; a last value without
            // a partner is paired with the empty value, which fails the read.
            CarColourRecord record;
            const auto pairs =
                static_cast<std::size_t>(std::count(values.begin(), values.end(), ',')) / 2;
            record.Color1.reserve(pairs);
            record.Color2.reserve(pairs);
            std::string first;
            const CommaCount count =
                forEachCommaValue(values, [&](std::size_t k, std::string_view value) {
                    if (k == 0) {
                        record.ModelName = value;
                    } else if (k % 2 == 1) {
                        first = value;
                    } else {
                        record.Color1.push_back(number(first));
                        record.Color2.push_back(number(value));
                    }
                });
            if (count.values >= 2 && count.values % 2 == 0) {
                record.Color1.push_back(number(first));
                record.Color2.push_back(number(std::string_view()));
            }
            if (count.withTrailingComma < kMinimumCarValues) {
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
            if (hash != std::string_view::npos) {
                record.trailingComment = line.substr(hash);
            }
            result.names.push_back(record.ModelName);
            result.cars.push_back(std::move(record));
        }
    }
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

std::string writePalette(const std::vector<std::string_view>& lines,
                         const std::vector<ColourTableEntry>& palette) {
    std::string text = headerBlock('#');
    bool blockWritten = false;
    bool paletteOpened = false;
    const auto writeBlockOnce = [&] {
        if (!blockWritten) {
            for (const ColourTableEntry& entry : palette) {
                if (entry.Number >= 0) {
                    appendLine(text, FormatPaletteLine(entry));
                }
            }
            blockWritten = true;
        }
    };
    const std::vector<ColourLinePlace> places = colourLinePlaces(lines);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        const ColourLinePlace place = places[i];
        if (place.isInside(ColourSection::FirstPalette)) {
            // The colour lines (and blank lines) give way to the palette; a
            // line too short for a colour was passed by and stays.
            if (isColourLine(line) || isBlankText(line)) {
                writeBlockOnce();
                continue;
            }
        } else if (place.section == ColourSection::FirstPalette) {
            paletteOpened = true;
            if (place.keyword == SectionKeyword::Closes) {
                writeBlockOnce();  // colours added to a palette without colour lines
            }
        }
        if (place.keyword == SectionKeyword::None && isPaletteComment(line) &&
            isOldHeaderLine(line, '#')) {
            continue;
        }
        appendLine(text, line);
    }
    if (paletteOpened) {
        writeBlockOnce();  // a palette without colour lines and without "end"
    } else if (!palette.empty()) {
        // The file on disk has no "col" section (any more): the colours get
        // one of their own rather than being lost.
        appendLine(text, "col");
        writeBlockOnce();
        appendLine(text, "end");
    }
    return text;
}

std::string writeCars(std::string_view withPalette, const std::vector<CarColourRecord>& cars) {
    std::string text;
    text.reserve(withPalette.size() + cars.size() * 32);
    bool blockWritten = false;
    bool carsOpened = false;
    const auto writeBlockOnce = [&] {
        if (!blockWritten) {
            for (const CarColourRecord& record : cars) {
                appendLine(text, FormatCarColourLine(record));
            }
            blockWritten = true;
        }
    };
    const std::vector<std::string_view> lines = splitLines(withPalette);
    const std::vector<ColourLinePlace> places = colourLinePlaces(lines);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        const ColourLinePlace place = places[i];
        if (place.isInside(ColourSection::Cars)) {
            // A car line with a trailing comment is a car line: its record
            // keeps the comment.
            if (!isBlankText(line.substr(0, line.find('#')))) {
                writeBlockOnce();
                continue;
            }
        } else if (place.section == ColourSection::Cars) {
            carsOpened = true;
            if (place.keyword == SectionKeyword::Closes) {
                writeBlockOnce();
            }
        }
        appendLine(text, line);
    }
    if (carsOpened) {
        writeBlockOnce();
    } else if (!cars.empty()) {
        // As for the palette: the models are never lost with their section.
        appendLine(text, "car");
        writeBlockOnce();
        appendLine(text, "end");
    }
    return text;
}

}  // namespace

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
    std::string line = std::to_string(entry.Red) + "," + std::to_string(entry.Green) + "," +
                       std::to_string(entry.Blue);
    line += line.size() < 8 ? "\t\t\t\t" : "\t\t\t";
    line += "# " + std::to_string(entry.Number) + " " + entry.Name + entry.nameTail;
    return line;
}

std::string FormatCarColourLine(const CarColourRecord& record) {
    std::string line = record.ModelName;
    const std::size_t pairs = std::min(record.Color1.size(), record.Color2.size());
    line.reserve(line.size() + pairs * 10 + record.trailingComment.size() + 1);
    for (std::size_t j = 0; j < pairs; ++j) {
        line += ", ";
        appendNumber(line, record.Color1[j]);
        line += ", ";
        appendNumber(line, record.Color2[j]);
    }
    if (!record.trailingComment.empty()) {
        line += ' ';
        line += record.trailingComment;
    }
    return line;
}

std::string BuildCarColourText(std::string_view diskBytes,
                               const std::vector<ColourTableEntry>& palette,
                               const std::vector<CarColourRecord>& cars) {
    const std::string withPalette = writePalette(linesWithoutTrailingEmpties(diskBytes), palette);
    std::string text = writeCars(withPalette, cars);
    dropTrailingEmptyLines(text);
    return text;
}

}  // namespace wendrake
