#!/usr/bin/env bash
# Installs into a scratch tree, validates the desktop entry and the AppStream
# data, and starts the installed program on a virtual display.
set -euo pipefail
build=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null
for f in usr/bin/varendo usr/share/applications/varendo.desktop \
         usr/share/icons/hicolor/16x16/apps/varendo.png usr/share/icons/hicolor/32x32/apps/varendo.png \
         usr/share/metainfo/org.varendo.varendo.metainfo.xml; do
  [[ -f $root/$f ]] || { echo "not installed: $f"; exit 1; }
done

# Clean means no hint either (two main categories would list the entry twice).
out=$(desktop-file-validate "$root/usr/share/applications/varendo.desktop" 2>&1)
[[ -z $out ]] || { echo "$out"; exit 1; }
appstreamcli validate --no-net "$root/usr/share/metainfo/org.varendo.varendo.metainfo.xml"
# No link that leads nowhere: the project has no homepage or address yet.
if grep -rn 'example\.\(org\|com\|edu\)' "$root/usr/share"; then echo "placeholder address installed"; exit 1; fi
grep -qx 'Exec=varendo' "$root/usr/share/applications/varendo.desktop"

# The installed program opens its main window.
xvfb-run -a -s "-screen 0 800x600x24 -dpi 96" bash -c '
  QT_QPA_PLATFORM=xcb "$1" &
  app=$!
  if id=$(timeout 20 xdotool search --sync --onlyvisible --name "^Varendo$"); then
    eval "$(xdotool getwindowgeometry --shell "$id")"
    echo "main window $WIDTH x $HEIGHT"
    kill $app
    [[ $WIDTH == 449 && $HEIGHT == 291 ]]
  else
    kill $app 2>/dev/null; echo "no window"; exit 1
  fi' _ "$root/usr/bin/varendo"
echo "install checks passed"
