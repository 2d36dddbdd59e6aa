#!/usr/bin/env bash
# Each toolkit stays in its backend: no Qt header outside platform/qt, no
# Windows header outside platform/win32, no Emscripten header outside platform/web; the engine, the Run command,
# the power designs, the pictures and the windows' handlers include neither; the window layer includes nothing
# above it. The layers stand in order: engine, run, power, charts, forms; none reaches one above it.
set -euo pipefail
cd "$1"
qt='#include *<(Q[A-Za-z]*|Qt[A-Za-z]*/.*)>'
win='#include *<(windows|windowsx|commctrl|winuser|wingdi)\.h>'
bad=0
report() { echo "$1:"; echo "$2"; bad=1; }

found=$(grep -rnE "$qt" engine run power charts forms platform --include='*.h' --include='*.cpp' | grep -v '^platform/qt/' || true)
[[ -z $found ]] || report "Qt outside platform/qt" "$found"
found=$(grep -rniE "$win" engine run power charts forms platform --include='*.h' --include='*.cpp' | grep -v '^platform/win32/' || true)
[[ -z $found ]] || report "Windows headers outside platform/win32" "$found"
found=$(grep -rnE '#include *<emscripten' engine run power charts forms platform --include='*.h' --include='*.cpp' | grep -v '^platform/web/' || true)
[[ -z $found ]] || report "Emscripten outside platform/web" "$found"
# Below the windows no layer knows a window: nothing from forms/ or a backend.
found=$(grep -rnE '#include "(forms|platform/qt|platform/win32|platform/web)/' engine run power charts || true)
[[ -z $found ]] || report "a layer below the windows reaching a window" "$found"
# Nor one above itself: the engine knows none of the others, the Run command
# not the power window's designs nor the pictures, the designs not the pictures.
found=$(grep -rnE '#include "(run|power|charts)/' engine || true)
[[ -z $found ]] || report "engine/ reaching a layer above it" "$found"
found=$(grep -rnE '#include "(power|charts)/' run || true)
[[ -z $found ]] || report "run/ reaching a layer above it" "$found"
found=$(grep -rnE '#include "charts/' power || true)
[[ -z $found ]] || report "power/ reaching the pictures" "$found"
# The window layer sits on the standard library alone: nothing of ours above it.
found=$(grep -rnE '#include "(engine|run|power|charts|forms)/' platform || true)
[[ -z $found ]] || report "platform/ reaching the layers above it" "$found"
exit $bad
