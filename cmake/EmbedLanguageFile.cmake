# SPDX-License-Identifier: GPL-3.0-or-later
# Turns a language file into C++ for the model library: a header with the
# number of texts the file holds and a source with the file's bytes, so that
# the program carries the texts of one language whatever lies beside it.
#
#   cmake -DINPUT=English.lng -DNAME=English -DOUTPUT_HEADER=... -DOUTPUT_SOURCE=...
#         -DHEADER_INCLUDE=model/BuiltInEnglish.h -P EmbedLanguageFile.cmake
#
# Lines are counted as the program reads them: a CR LF or a lone CR ends a
# line, a bare LF does not, and a line end at the very end starts no further
# line.

foreach(variable INPUT NAME OUTPUT_HEADER OUTPUT_SOURCE HEADER_INCLUDE)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "EmbedLanguageFile.cmake needs -D${variable}=...")
    endif()
endforeach()

file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hexLength)
math(EXPR byteCount "${hexLength} / 2")
# One \xHH escape per byte; the pairs are matched from the start, so no escape
# straddles two bytes.
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "\\\\x\\1" escaped "${hex}")

string(REGEX MATCHALL "\\\\x0d" carriageReturns "${escaped}")
list(LENGTH carriageReturns textCount)
if(byteCount GREATER 0 AND NOT escaped MATCHES "\\\\x0d(\\\\x0a)?$")
    math(EXPR textCount "${textCount} + 1")
endif()

# 23 bytes to a source line keep the lines under 100 characters.
string(REPEAT "\\\\x[0-9a-f][0-9a-f]" 23 sourceLineBytes)
string(REGEX REPLACE "(${sourceLineBytes})" "\\1\"\n    \"" literal "${escaped}")

get_filename_component(inputName "${INPUT}" NAME)
set(warning "// Generated from ${inputName} by EmbedLanguageFile.cmake: edit the language file.")

file(CONFIGURE OUTPUT "${OUTPUT_HEADER}" @ONLY CONTENT "${warning}
#pragma once

#include <string_view>

namespace wendrake {

// The number of texts of the built-in ${NAME} language file, one per line.
inline constexpr int kBuiltIn${NAME}TextCount = ${textCount};

// The bytes of the built-in ${NAME} language file.
extern const std::string_view kBuiltIn${NAME}File;

}  // namespace wendrake
")

file(CONFIGURE OUTPUT "${OUTPUT_SOURCE}" @ONLY CONTENT "${warning}
#include \"${HEADER_INCLUDE}\"

namespace wendrake {

constinit const std::string_view kBuiltIn${NAME}File{
    \"${literal}\",
    ${byteCount}};

}  // namespace wendrake
")
