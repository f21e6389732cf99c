// SPDX-License-Identifier: GPL-3.0-or-later
// The language file reader on any bytes: no crash, and a table that holds
// UTF-8 whose only CRs are those of line breaks.
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "model/LanguageTable.h"
#include "model/TextEncoding.h"

using namespace wendrake;
using namespace wendrake::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    LanguageTable table = englishTexts();
    table.load(bytes);
    for (int k = 0; k < LanguageTable::kSize; ++k) {
        const std::string& text = table.text(k);
        expect(isValidUtf8(text), "a text is not UTF-8", text);
        for (std::size_t cr = text.find('\r'); cr != std::string::npos;
             cr = text.find('\r', cr + 1)) {
            expect(cr + 1 < text.size() && text[cr + 1] == '\n', "a lone CR in a text", text);
        }
    }
    return 0;
}
