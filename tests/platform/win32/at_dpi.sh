#!/usr/bin/env bash
# Runs the window tests with the screen at another DPI, then puts 96 back.
#   at_dpi.sh DPI TESTS_EXE [GTEST ARGS...]
set -uo pipefail
wine=/usr/lib/wine/wine64
dpi=$1 exe=$2
shift 2
set_dpi() { "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1; }
set_dpi "$dpi"
VARENDO_EXPECTED_DPI=$dpi "$wine" "$exe" "$@"
status=$?
set_dpi 96
exit $status
