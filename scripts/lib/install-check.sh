# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
#
# The installed program on its own. scripts/test sources this file and calls
#
#   wendrake_install_check BUILD_DIR WORK_DIR
#
# which installs BUILD_DIR with `cmake --install` into a new folder under
# WORK_DIR and runs the installed program from a working folder outside the
# build and the source: directly, and through a link in yet another folder,
# as the command /usr/bin/wendrake of the Debian package runs it. Nothing is
# run from the build folder. Each check prints "ok" or "FAIL" and is counted
# in install_passed and install_failed.

install_passed=0
install_failed=0

wendrake_install_ok() {
    printf '  ok    %s\n' "$1"
    ((++install_passed))
}

wendrake_install_fail() {
    printf '  FAIL  %s: %s\n' "$1" "$2"
    ((++install_failed))
}

# Runs the program with the arguments after NAME in the working folder
# $install_cwd and counts it as passed when it exits with STATUS and its
# standard output contains TEXT (any output when TEXT is empty).
#   wendrake_install_expect NAME STATUS TEXT PROGRAM ARGS...
wendrake_install_expect() {
    local name="$1" want_status="$2" want_text="$3"
    shift 3
    local status=0 out
    out="$(cd "$install_cwd" && "$@" 2>"$install_cwd/stderr")" || status=$?
    if ((status != want_status)); then
        wendrake_install_fail "$name" "exit status ${status}, expected ${want_status}: $(head -n 1 "$install_cwd/stderr")"
    elif [[ "$out" != *"$want_text"* ]]; then
        wendrake_install_fail "$name" "the output lacks \"${want_text}\": $(head -n 1 <<<"$out")"
    else
        wendrake_install_ok "$name"
    fi
}

# The program folder holds what the program and its manual look for.
wendrake_install_check_files() {
    local prefix="$1" missing=() file
    local wanted=(wendrake wendrake-window English.lng Deutsch.lng Anleitung.htm Manual.htm gfx/nopictureavailable.jpg
        samples/handling.cfg samples/default.ide samples/carcols.dat share/man/man1/wendrake.1)
    # Every picture the manuals show.
    mapfile -t -O "${#wanted[@]}" wanted < <(
        grep -ho 'src="[^"]*"' "$prefix/Anleitung.htm" "$prefix/Manual.htm" 2>/dev/null |
            sed -e 's/^src="//' -e 's/"$//' | sort -u
    )
    for file in "${wanted[@]}"; do
        [[ -e "$prefix/$file" ]] || missing+=("$file")
    done
    if ((${#missing[@]} > 0)); then
        wendrake_install_fail "the installed folder is complete" "missing: ${missing[*]}"
    else
        wendrake_install_ok "the installed folder is complete (${#wanted[@]} files)"
    fi
}

wendrake_install_check() {
    local build_dir="$1" work
    work="$(mktemp -d "$2/install.XXXXXX")"
    local prefix="$work/prefix" link_dir="$work/elsewhere"
    install_cwd="$work/cwd"
    mkdir -p "$link_dir" "$install_cwd"

    wendrake_say "Installing into a temporary folder and running the installed program"
    if ! cmake --install "$build_dir" --prefix "$prefix" >"$work/install.log" 2>&1; then
        wendrake_install_fail "cmake --install" "$(tail -n 1 "$work/install.log")"
        return 0
    fi
    wendrake_install_ok "cmake --install"
    wendrake_install_check_files "$prefix"

    local program="$prefix/wendrake" kind
    wendrake_install_expect "wendrake --version" 0 "Wendrake " "$program" --version
    for kind in handling.cfg default.ide carcols.dat; do
        wendrake_install_expect "wendrake check samples/$kind" 0 "" \
            "$program" check "$prefix/samples/$kind"
    done

    # A link elsewhere: the program still finds its language files, whose
    # texts make up check's rows.
    ln -s "$program" "$link_dir/wendrake"
    printf 'SHORT_LINE 1500.0 2.0\r\n' >"$install_cwd/short.cfg"
    wendrake_install_expect "a link to wendrake: --version" 0 "Wendrake " \
        "$link_dir/wendrake" --version
    wendrake_install_expect "a link to wendrake: check in English" 1 "Wrong number of values" \
        "$link_dir/wendrake" check --lang English short.cfg
    wendrake_install_expect "a link to wendrake: check in German" 1 "Falsche Anzahl" \
        "$link_dir/wendrake" check --lang Deutsch short.cfg
    # The window's arguments start the editor beside the program file.
    wendrake_install_expect "a link to wendrake: the editor renders a file" 0 "$work/window.png" \
        env QT_QPA_PLATFORM=offscreen "$link_dir/wendrake" "$prefix/samples/handling.cfg" \
        --screenshot "$work/window.png"
    echo "Installed program: ${install_passed} checks passed, ${install_failed} failed"
}
