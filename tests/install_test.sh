#!/usr/bin/env bash
# Installs into a temporary prefix and starts the installed program offscreen.
set -euo pipefail
build_dir=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build_dir" --prefix "$prefix" > /dev/null

for f in bin/zarfan lib/zarfan/zarfan lib/zarfan/zarfan.zf lib/zarfan/LICENSE lib/zarfan/DATA-NOTICES.txt \
         lib/zarfan/morphology.tsv share/applications/zarfan.desktop \
         share/icons/hicolor/scalable/apps/zarfan.svg share/metainfo/net.zarfan.Zarfan.metainfo.xml; do
  [ -e "$prefix/$f" ] || { echo "not installed: $f"; exit 1; }
done
grep -q '^Name\[ar\]=زرفان$' "$prefix/share/applications/zarfan.desktop"
grep -q '^Categories=Education;$' "$prefix/share/applications/zarfan.desktop"
if command -v appstreamcli > /dev/null; then
  appstreamcli validate --no-net "$prefix/share/metainfo/net.zarfan.Zarfan.metainfo.xml"
fi

# The launcher on the PATH starts the program from its own folder.
export QT_QPA_PLATFORM=offscreen ZARFAN_LOCK_FILE="$prefix/lock" ZARFAN_MESSAGE_LOG="$prefix/messages" \
  ZARFAN_USER_DATA="$prefix/userdata"
"$prefix/bin/zarfan" &
pid=$!
sleep 3
if ! kill -0 "$pid" 2> /dev/null; then
  echo "the installed program did not keep running"; exit 1
fi
kill "$pid"
wait "$pid" 2> /dev/null || true
if [ -s "$prefix/messages" ]; then
  echo "the installed program reported:"; cat "$prefix/messages"; exit 1
fi
echo "installed and started: 1 passed, 0 failed"
