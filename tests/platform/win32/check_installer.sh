#!/usr/bin/env bash
# The installer in a fresh Wine prefix: installs silently under Program Files
# with a Start-menu shortcut and an Apps entry, the program starts from the
# shortcut, and the uninstaller leaves nothing behind.
#   check_installer.sh INSTALLER   (inside tools/windows/session, fresh prefix)
set -euo pipefail
installer=$(realpath "$1")
version=$(cat "$(dirname "$installer")/generated/version.txt")
wine=/usr/lib/wine/wine64
c=$WINEPREFIX/drive_c
dir="$c/Program Files/Varendo"
shortcut="$c/ProgramData/Microsoft/Windows/Start Menu/Programs/Varendo.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Varendo'
fail() { echo "installer check: $*"; exit 1; }

"$wine" "$installer" /S
for f in Varendo.exe LICENSE.txt Uninstall.exe; do [[ -f $dir/$f ]] || fail "not installed: $f"; done
[[ -f $shortcut ]] || fail "no Start-menu shortcut"
"$wine" reg query "$key" /v DisplayVersion 2>/dev/null | grep -qF "$version" || fail "no Apps entry with the version"

# Started from the shortcut, the program opens its main window.
"$wine" start /unix "$shortcut"
xdotool search --sync --name '^Varendo$' >/dev/null &
finder=$!
( sleep 30; kill $finder 2>/dev/null ) &
wait $finder || fail "no window from the shortcut"
"$wine" taskkill /im Varendo.exe /f >/dev/null 2>&1 || true
sleep 1

# The uninstaller copies itself aside and returns at once: wait for its work.
"$wine" "$dir/Uninstall.exe" /S
for _ in $(seq 60); do [[ -e $dir || -e $shortcut ]] || break; sleep 0.5; done
[[ ! -e $dir ]] || fail "left behind: $(ls "$dir")"
[[ ! -e $shortcut ]] || fail "shortcut left behind"
! "$wine" reg query "$key" >/dev/null 2>&1 || fail "Apps entry left behind"
echo "installer checks passed: installed, started from the shortcut, uninstalled without a trace"
