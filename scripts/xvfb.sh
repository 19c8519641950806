# Sourced by the scripts that need an X display. With DISPLAY unset, starts
# (or reuses) one Xvfb shared by every run of this machine user.
brivane_ensure_display() {
  if [ -n "${DISPLAY:-}" ]; then
    return 0
  fi
  local num=${BRIVANE_XVFB_DISPLAY:-97}
  if ! [ -e "/tmp/.X11-unix/X$num" ] || ! pgrep -f "Xvfb :$num" >/dev/null 2>&1; then
    (
      flock 8
      if ! pgrep -f "Xvfb :$num" >/dev/null 2>&1; then
        rm -f "/tmp/.X$num-lock" "/tmp/.X11-unix/X$num"
        nohup Xvfb ":$num" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 8>&- &
        for _ in $(seq 50); do
          [ -e "/tmp/.X11-unix/X$num" ] && break
          sleep 0.1
        done
      fi
    ) 8>/tmp/brivane-xvfb.lock
  fi
  export DISPLAY=":$num"
}

# brivane_own_display: an Xvfb of the caller's own on a free display number
# (it picks one), for tests that run beside others' on the shared display;
# exports DISPLAY. brivane_end_own_display ends it.
brivane_own_display() {
  local numfile num
  numfile=$(mktemp)
  Xvfb -displayfd 9 -screen 0 1280x1024x24 -nolisten tcp 9>"$numfile" >/dev/null 2>&1 &
  brivane_own_xvfb=$!
  # It writes its number once it takes connections.
  for _ in $(seq 100); do
    [ -s "$numfile" ] && break
    kill -0 "$brivane_own_xvfb" 2>/dev/null || break
    sleep 0.1
  done
  num=$(head -n 1 "$numfile" 2>/dev/null)
  rm -f "$numfile"
  if [ -z "$num" ]; then
    brivane_end_own_display
    return 1
  fi
  export DISPLAY=":$num"
}

brivane_end_own_display() {
  if [ -n "${brivane_own_xvfb:-}" ]; then
    kill "$brivane_own_xvfb" 2>/dev/null
    wait "$brivane_own_xvfb" 2>/dev/null
    brivane_own_xvfb=
  fi
}
