#!/usr/bin/env bash
# Runs a window test as a screen reader meets the game: on an X screen of its own, with a session bus
# of its own on which the accessibility bus is started before the game, as a desktop session does.
#   on_the_bus.sh <test program> [arguments]
set -euo pipefail
exec dbus-run-session -- bash -c '
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$@"' on_the_bus "$@" 2> >(grep -v "fd limit" >&2)
