#!/usr/bin/env bash
# Builds the Debian package and checks its file list and declared dependencies.
set -euo pipefail
build=$1
cd "$build"
cpack >/dev/null
deb=$(ls -t varendo_*_*.deb | head -1)
echo "package: $deb"

files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in ./usr/bin/varendo ./usr/share/applications/varendo.desktop \
         ./usr/share/icons/hicolor/16x16/apps/varendo.png ./usr/share/icons/hicolor/32x32/apps/varendo.png \
         ./usr/share/metainfo/org.varendo.varendo.metainfo.xml; do
  grep -qx -- "$f" <<<"$files" || { echo "missing from package: $f"; exit 1; }
done
if grep -q -E 'gtest|_tests|make_pictures' <<<"$files"; then
  echo "test or tool files in the package"; exit 1
fi

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for d in libqt6widgets6 libqt6gui6 libqt6core6 fonts-liberation2; do
  grep -q "$d" <<<"$depends" || { echo "missing dependency: $d"; exit 1; }
done
[[ $(dpkg-deb -f "$deb" Package) == varendo ]]
[[ $(dpkg-deb -f "$deb" Version) == "$(cat generated/version.txt)" ]]
echo "package checks passed"
