#!/usr/bin/env bash
# Runs a test program on a display with the accessibility bus, so that the
# events Qt's AT-SPI bridge sends can be counted. Skips (77) where they
# cannot start.
set -u
command -v xvfb-run > /dev/null || { echo "skipped: no xvfb-run"; exit 77; }
command -v dbus-run-session > /dev/null || { echo "skipped: no dbus-run-session"; exit 77; }
launcher=$(ls /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher 2> /dev/null | head -n 1)
[ -n "$launcher" ] || { echo "skipped: no at-spi-bus-launcher"; exit 77; }
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
exec xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- bash -c "
  '$launcher' --launch-immediately &
  sleep 1
  exec \"\$@\"
" bridge "$@"
