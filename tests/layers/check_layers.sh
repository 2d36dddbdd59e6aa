#!/usr/bin/env bash
# Each toolkit stays in its backend: no Qt header outside platform/qt, no
# Windows header outside platform/win32, no Emscripten header outside platform/web; the engine, the Run command and the
# windows' handlers include neither; the window layer includes nothing above it.
set -euo pipefail
cd "$1"
qt='#include *<(Q[A-Za-z]*|Qt[A-Za-z]*/.*)>'
win='#include *<(windows|windowsx|commctrl|winuser|wingdi)\.h>'
bad=0
report() { echo "$1:"; echo "$2"; bad=1; }

found=$(grep -rnE "$qt" engine run forms platform --include='*.h' --include='*.cpp' | grep -v '^platform/qt/' || true)
[[ -z $found ]] || report "Qt outside platform/qt" "$found"
found=$(grep -rniE "$win" engine run forms platform --include='*.h' --include='*.cpp' | grep -v '^platform/win32/' || true)
[[ -z $found ]] || report "Windows headers outside platform/win32" "$found"
found=$(grep -rnE '#include *<emscripten' engine run forms platform --include='*.h' --include='*.cpp' | grep -v '^platform/web/' || true)
[[ -z $found ]] || report "Emscripten outside platform/web" "$found"
# run/ knows no window: it includes nothing from forms/ or a backend.
found=$(grep -rnE '#include "(forms|platform/qt|platform/win32|platform/web)/' run engine || true)
[[ -z $found ]] || report "run/ or engine/ reaching a window" "$found"
# The window layer sits on the standard library alone: nothing of ours above it.
found=$(grep -rnE '#include "(engine|run|forms)/' platform || true)
[[ -z $found ]] || report "platform/ reaching the layers above it" "$found"
exit $bad
