# SPDX-License-Identifier: GPL-3.0-or-later
# What `cpack` needs to build wendrake_<version>_<arch>.deb (scripts/package).

# Debian wants a name and a mail address here, and the same in the changelog.
set(WENDRAKE_PACKAGE_MAINTAINER "Wendrake <packages@wendrake.org>"
    CACHE STRING "The Maintainer field of the Debian package: name <mail address>")
# Build folders configured before the field had a mail address keep the old
# default in their cache, which dpkg and lintian refuse.
if(WENDRAKE_PACKAGE_MAINTAINER STREQUAL "Wendrake <https://wendrake.org/>")
    set(WENDRAKE_PACKAGE_MAINTAINER "Wendrake <packages@wendrake.org>"
        CACHE STRING "The Maintainer field of the Debian package: name <mail address>" FORCE)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME wendrake)
set(CPACK_PACKAGE_VENDOR Wendrake)
set(CPACK_PACKAGE_CONTACT ${WENDRAKE_PACKAGE_MAINTAINER})
# The install rules give whole paths below the root (opt/..., usr/...).
set(CPACK_PACKAGING_INSTALL_PREFIX /)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Not "games": that section is for the games themselves, installed in
# /usr/games; the menu entry still lists Wendrake under Games.
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://wendrake.org/)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Editor for the vehicle data files of the game Zerrin
Wendrake opens, checks and saves handling.cfg (the driving physics of every
vehicle), default.ide (the vehicle definitions) and the car colour file. It
keeps every value as it was written, saves atomically and writes the files in
the layout the game reads. The command wendrake also checks and formats these
files without a display.")

# dpkg-shlibdeps finds the Qt libraries the program links to. The Qt plugins
# it loads at run time (the X11 platform plugin, the JPEG reader for vehicle
# pictures) come with libqt6gui6, which that scan finds as well. Help opens
# the manual through xdg-open; Qt's translations give the buttons of questions
# and the file dialog the window's language (without them they stay English).
# Without qt6-wayland, Qt runs on a Wayland desktop through its X11 server, so
# that package is only suggested.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS qt6-wayland)

include(CPack)
