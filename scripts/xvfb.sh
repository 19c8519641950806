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
