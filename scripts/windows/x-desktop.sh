# Sourced by the scripts that show Windows programs under Wine: a desktop
# of their own, an X server (Xvfb, on whichever display is free) with the
# openbox window manager, so that windows get frames as on a real desktop.
#
#   . scripts/windows/x-desktop.sh
#   x_desktop_start 1024x768 "$work"    # exports DISPLAY
#   trap x_desktop_stop EXIT
#
# Fails at once when the server or the window manager ends, and when one
# has not come up after three minutes: far above the second or two it
# normally takes, so that a busy machine only makes it slower. The logs
# stay in the given folder.

x_desktop_start() {
  local screen=$1 folder=$2 deadline
  # -displayfd: the server takes the first free display and writes its
  # number to the given descriptor once it accepts clients.
  Xvfb -displayfd 1 -screen 0 "${screen}x24" -nolisten tcp >"$folder/xvfb.display" 2>"$folder/xvfb.log" &
  x_desktop_server=$!
  deadline=$((SECONDS + 180))
  while [ "$SECONDS" -lt "$deadline" ]; do
    grep -q . "$folder/xvfb.display" 2>/dev/null && break
    kill -0 "$x_desktop_server" 2>/dev/null || break
    sleep 0.1
  done
  grep -q . "$folder/xvfb.display" 2>/dev/null ||
    { echo "x-desktop: Xvfb did not start (see $folder/xvfb.log)" >&2; return 1; }
  export DISPLAY=":$(tr -d '[:space:]' <"$folder/xvfb.display")"

  openbox --sm-disable >"$folder/openbox.log" 2>&1 &
  x_desktop_manager=$!
  # A window manager announces itself on the root window once it runs.
  deadline=$((SECONDS + 180))
  while [ "$SECONDS" -lt "$deadline" ]; do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    kill -0 "$x_desktop_manager" 2>/dev/null || break
    sleep 0.1
  done
  echo "x-desktop: openbox did not take over $DISPLAY (see $folder/openbox.log)" >&2
  return 1
}

x_desktop_stop() {
  local process
  for process in ${x_desktop_manager:-} ${x_desktop_server:-}; do
    kill "$process" 2>/dev/null || true
    wait "$process" 2>/dev/null || true
  done
}
