# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a document names a version of Wendrake other than the one of
# project(), so that a new version cannot ship with a manual that still
# shows the old one.
#
#   cmake -DDOCUMENT=path -DVERSION=x.y.z -P CheckDocumentedVersion.cmake
#
# Looks at "Wendrake x.y.z", "Wendrake Vx.y.z" and "Version x.y.z".

file(READ "${DOCUMENT}" text)
string(REGEX MATCHALL "(Wendrake V?|Version )[0-9]+\\.[0-9]+\\.[0-9]+" named "${text}")
if(NOT named)
    message(FATAL_ERROR "${DOCUMENT} names no version of Wendrake")
endif()
set(wrong "")
foreach(mention IN LISTS named)
    string(REGEX MATCH "[0-9.]+$" version "${mention}")
    if(NOT version STREQUAL VERSION)
        list(APPEND wrong "\"${mention}\"")
    endif()
endforeach()
if(wrong)
    list(REMOVE_DUPLICATES wrong)
    list(JOIN wrong ", " wrong)
    message(FATAL_ERROR "${DOCUMENT} names ${wrong}; the program is version ${VERSION}")
endif()
