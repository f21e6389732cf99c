# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
#
# The Windows command line under Wine. scripts/test sources this file and calls
#
#   wendrake_windows_check LINUX_PROGRAM WORK_DIR
#
# which cross-builds wendrake.exe with scripts/build-windows and has
# tests/windows/run-under-wine hold it to LINUX_PROGRAM. Its "ok" and "FAIL"
# lines are counted in windows_passed and windows_failed; a build that fails,
# or a run that stops before its checks, counts as one failure.
#
# WENDRAKE_WINDOWS_EXE names an exe built elsewhere (its *.lng files beside
# it) to check instead of building one.

windows_passed=0
windows_failed=0

wendrake_windows_check() {
    local linux_program="$1" log="$2/windows.log" exe status=0
    exe="${WENDRAKE_WINDOWS_EXE:-}"
    local build_start=$SECONDS run_start
    if [[ -z "$exe" ]]; then
        # scripts/build-windows leaves build-windows/bin/wendrake.exe, the
        # language files beside it.
        exe="${WENDRAKE_ROOT}/build-windows/bin/wendrake.exe"
        if ! bash "${WENDRAKE_ROOT}/scripts/build-windows"; then
            echo "  FAIL  the Windows build: scripts/build-windows failed"
            windows_failed=1
            return
        fi
    fi
    run_start=$SECONDS
    bash "${WENDRAKE_ROOT}/tests/windows/run-under-wine" "$linux_program" "$exe" 2>&1 |
        tee "$log" || status=$?
    echo "The Windows build took $((run_start - build_start)) s, the run under Wine $((SECONDS - run_start)) s"
    # shellcheck disable=SC2034 # scripts/test adds it up
    windows_passed="$(grep -c '^  ok    ' "$log" || true)"
    windows_failed="$(grep -c '^  FAIL  ' "$log" || true)"
    if ((status != 0 && windows_failed == 0)); then
        windows_failed=1
    fi
}
