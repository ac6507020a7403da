#!/bin/sh
# Runs a test program as it runs on an operator's desktop with a screen reader: on a virtual X
# display, with a session bus and the accessibility bus a screen reader listens to.
set -eu
if [ -z "${QUORVEL_IN_ATSPI_SESSION:-}" ]; then
    QUORVEL_IN_ATSPI_SESSION=1 exec dbus-run-session -- "$0" "$@"
fi
# Asking the accessibility bus for its address starts it and waits until it is there.
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null
QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 exec xvfb-run -a "$@"
