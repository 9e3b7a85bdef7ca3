# Sourced by the scripts that need a display of their own.
# start_xvfb: starts Xvfb on a free display (it reports the number through -displayfd), exports
# DISPLAY and sets xvfb_pid; returns non-zero when no display came up within 20 seconds.
start_xvfb() {
  local fifo dnum
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  xvfb_pid=$!
  if ! read -r -t 20 dnum <"$fifo"; then
    rm -f "$fifo"
    return 1
  fi
  rm -f "$fifo"
  export DISPLAY=:$dnum
}
