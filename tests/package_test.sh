#!/usr/bin/env bash
# Builds the Debian package and checks its files, its Depends field and lintian's verdict.
set -euo pipefail
build_dir=$1 version=$2
command -v dpkg-shlibdeps > /dev/null || { echo "dpkg-shlibdeps (dpkg-dev) is not installed"; exit 77; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
(cd "$build_dir" && cpack -G DEB -B "$out" > "$out/cpack.log") || { cat "$out/cpack.log"; exit 1; }
deb="$out/zarfan_${version}_amd64.deb"
[ -f "$deb" ] || { echo "no $deb"; ls "$out"; exit 1; }

files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in ./usr/bin/zarfan ./usr/lib/zarfan/zarfan ./usr/lib/zarfan/zarfan.zf ./usr/lib/zarfan/LICENSE \
         ./usr/lib/zarfan/DATA-NOTICES.txt ./usr/share/applications/zarfan.desktop \
         ./usr/share/icons/hicolor/scalable/apps/zarfan.svg ./usr/share/metainfo/net.zarfan.Zarfan.metainfo.xml \
         ./usr/share/doc/zarfan/copyright; do
  grep -qx "$f" <<< "$files" || { echo "not in the package: $f"; exit 1; }
done
# Nothing of the build or the tests, and no reader's file, goes into it.
if grep -E 'test_|bench|all\.txt|user\.db|\.part$' <<< "$files"; then echo "stray files in the package"; exit 1; fi

depends=$(dpkg-deb -f "$deb" Depends)
for lib in libc6 libqt6widgets6 libqt6network6 libsqlcipher0 qt6-qpa-plugins libgstreamer1.0-0 gstreamer1.0-plugins-base gstreamer1.0-plugins-good; do
  grep -q "\b$lib\b" <<< "$depends" || { echo "Depends lacks $lib: $depends"; exit 1; }
done

if command -v lintian > /dev/null; then
  lintian --fail-on error "$deb"
else
  echo "lintian is not installed: its check is left out"
fi
echo "package $(basename "$deb"): 1 passed, 0 failed"
