# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
#
# What scripts/run and scripts/test share: install the Debian packages the
# build needs (only those missing), configure build/ with CMake and Ninja, and
# build. Source this file, then call wendrake_setup with any extra CMake
# options:
#
#   source "$(dirname "${BASH_SOURCE[0]}")/lib/setup.sh"
#   wendrake_setup -DWENDRAKE_WERROR=ON
#
# Extra packages can be asked for in WENDRAKE_EXTRA_PACKAGES (a bash array).
# Every function returns non-zero after printing what went wrong, so that the
# calling script can stop at once.

WENDRAKE_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
WENDRAKE_BUILD_DIR="${WENDRAKE_ROOT}/build"
WENDRAKE_BUILD_TYPE="${WENDRAKE_BUILD_TYPE:-RelWithDebInfo}"

# Compiler, build tools, Qt 6 (Core, Gui, Widgets, Test and the platform
# plugins, which come with libqt6gui6), OpenGL headers that Qt's CMake files
# ask for, a font so that windows rendered offscreen show their text, and
# Qt's translations, so that the buttons of questions and the file dialog speak
# the window's language.
WENDRAKE_PACKAGES=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools libgl-dev fonts-dejavu-core
    qt6-translations-l10n)

wendrake_say() {
    printf '==> %s\n' "$*"
}

wendrake_fail() {
    printf 'error: %s\n' "$*" >&2
    return 1
}

# The build folder as the messages name it: "build/", or "build-package/" for
# a script that builds elsewhere.
wendrake_build_name() {
    printf '%s/' "${WENDRAKE_BUILD_DIR#"$WENDRAKE_ROOT"/}"
}

wendrake_is_installed() {
    [[ "$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null)" == "install ok installed" ]]
}

# Installs the packages of WENDRAKE_PACKAGES and WENDRAKE_EXTRA_PACKAGES that
# are not installed yet. Runs "apt-get update" once, and only when something
# is missing.
wendrake_install_packages() {
    local wanted=("${WENDRAKE_PACKAGES[@]}" "${WENDRAKE_EXTRA_PACKAGES[@]}")
    if ! command -v dpkg-query >/dev/null 2>&1; then
        wendrake_say "Not a Debian system: skipping the package check." \
            "The build needs CMake 3.25+, Ninja, a C++20 compiler and Qt 6.4+ (Core, Gui, Widgets, Test)."
        return 0
    fi

    local missing=() package
    for package in "${wanted[@]}"; do
        wendrake_is_installed "$package" || missing+=("$package")
    done
    if ((${#missing[@]} == 0)); then
        wendrake_say "All needed packages are installed."
        return 0
    fi

    local sudo=()
    if ((EUID != 0)); then
        if ! command -v sudo >/dev/null 2>&1; then
            wendrake_fail "missing packages: ${missing[*]}; run as root or install them with apt-get"
            return 1
        fi
        sudo=(sudo)
    fi

    wendrake_say "Installing missing packages: ${missing[*]}"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update ||
        { wendrake_fail "apt-get update failed"; return 1; }
    local policy
    for package in "${missing[@]}"; do
        policy="$(apt-cache policy "$package" 2>/dev/null)"
        if [[ ! "$policy" =~ Candidate:\ [^\(] ]]; then
            wendrake_fail "package \"$package\" is not available from the configured apt sources"
            return 1
        fi
    done
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y \
        "${missing[@]}" ||
        { wendrake_fail "apt-get install failed for: ${missing[*]}"; return 1; }
}

# A build folder made by another generator or for another source folder (a
# moved or copied checkout) cannot be configured again: forget its cache.
# The argument is the build folder, build/ when none is given.
wendrake_forget_stale_cache() {
    local dir="${1:-$WENDRAKE_BUILD_DIR}"
    local cache="${dir}/CMakeCache.txt"
    [[ -f "$cache" ]] || return 0
    local generator home
    generator="$(sed -n 's/^CMAKE_GENERATOR:INTERNAL=//p' "$cache")"
    home="$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "$cache")"
    if [[ "$generator" != "Ninja" || "$home" != "$WENDRAKE_ROOT" ]]; then
        wendrake_say "$(basename "$dir")/ was configured elsewhere or with \"${generator}\": starting its configuration afresh."
        rm -rf "${dir}/CMakeCache.txt" "${dir}/CMakeFiles"
    fi
}

# Configures WENDRAKE_BUILD_DIR (Ninja, WENDRAKE_BUILD_TYPE); the arguments
# are passed to CMake as extra options.
wendrake_configure() {
    wendrake_forget_stale_cache
    wendrake_say "Configuring $(wendrake_build_name) (${WENDRAKE_BUILD_TYPE}${*:+, $*})"
    cmake -S "$WENDRAKE_ROOT" -B "$WENDRAKE_BUILD_DIR" -G Ninja \
        -DCMAKE_BUILD_TYPE="$WENDRAKE_BUILD_TYPE" "$@" ||
        { wendrake_fail "CMake could not configure the project (see the messages above)"; return 1; }
}

wendrake_build() {
    wendrake_say "Building"
    cmake --build "$WENDRAKE_BUILD_DIR" ||
        { wendrake_fail "the build failed (see the compiler messages above)"; return 1; }
    local program
    for program in wendrake wendrake-window; do
        [[ -x "${WENDRAKE_BUILD_DIR}/bin/${program}" ]] ||
            { wendrake_fail "the build finished without $(wendrake_build_name)bin/${program}"; return 1; }
    done
}

# Installs what is missing, configures and builds; the arguments are extra
# CMake options.
wendrake_setup() {
    wendrake_install_packages && wendrake_configure "$@" && wendrake_build
}

# The sanitizer build: Clang with AddressSanitizer (leaks included) and
# UndefinedBehaviorSanitizer, any report fatal, in build-sanitize/. It builds
# the program and every test, optimised lightly so that the tests stay quick.
WENDRAKE_SANITIZE_DIR="${WENDRAKE_ROOT}/build-sanitize"
WENDRAKE_SANITIZE_PACKAGES=(clang-14 libclang-rt-14-dev)

wendrake_setup_sanitized() {
    WENDRAKE_EXTRA_PACKAGES+=("${WENDRAKE_SANITIZE_PACKAGES[@]}")
    wendrake_install_packages || return 1
    wendrake_forget_stale_cache "$WENDRAKE_SANITIZE_DIR"
    wendrake_say "Configuring build-sanitize/ (Clang, AddressSanitizer, UndefinedBehaviorSanitizer)"
    cmake -S "$WENDRAKE_ROOT" -B "$WENDRAKE_SANITIZE_DIR" -G Ninja \
        -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
        -DWENDRAKE_SANITIZE=ON -DWENDRAKE_WERROR=ON -DWENDRAKE_BUILD_TESTS=ON \
        -DWENDRAKE_BUILD_BENCH=OFF ||
        { wendrake_fail "CMake could not configure the sanitizer build"; return 1; }
    wendrake_say "Building with sanitizers"
    cmake --build "$WENDRAKE_SANITIZE_DIR" ||
        { wendrake_fail "the sanitizer build failed (see the compiler messages above)"; return 1; }
}
