#!/usr/bin/env bash
# Starts a display, a session bus and the accessibility bus, then runs the
# AT-SPI client. Skips (77) where they cannot start.
set -u
program=$1
here=$(cd "$(dirname "$0")" && pwd)
command -v xvfb-run > /dev/null || { echo "skipped: no xvfb-run"; exit 77; }
command -v dbus-run-session > /dev/null || { echo "skipped: no dbus-run-session"; exit 77; }
launcher=$(ls /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher 2> /dev/null | head -n 1)
[ -n "$launcher" ] || { echo "skipped: no at-spi-bus-launcher"; exit 77; }
export TMPDIR=$(mktemp -d)
export ZARFAN_USER_DATA=$TMPDIR/userdata
exec xvfb-run -a -s "-screen 0 1024x768x24" dbus-run-session -- bash -c "
  '$launcher' --launch-immediately &
  sleep 1
  gsettings set org.gnome.desktop.interface toolkit-accessibility true 2> /dev/null || true
  /usr/bin/python3 '$here/a11y_test.py' '$program'
"
