# Wine with a private prefix and, when no display is set, a private Xvfb; both are cleaned up
# when the calling script exits. Source it, then call wine_start PREFIX.
wine_cleanup() {
  if [ -n "${WINEPREFIX:-}" ]; then wineserver -k >/dev/null 2>&1 || true; fi
  if [ -n "${GLIDEPOST_XVFB_PID:-}" ]; then kill "$GLIDEPOST_XVFB_PID" >/dev/null 2>&1 || true; fi
}

wine_start() {
  export WINEPREFIX="$1" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  trap wine_cleanup EXIT
  if [ -z "${DISPLAY:-}" ] || [ -n "${CI:-}" ]; then
    local fifo
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 2560x1600x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    GLIDEPOST_XVFB_PID=$!
    local number
    read -r -t 30 number <"$fifo"
    rm -f "$fifo"
    export DISPLAY=":$number"
  fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wine wineboot -i >/dev/null 2>&1
  fi
  wineserver -w >/dev/null 2>&1 || true
}

# Starts a Windows program that closes itself (SHOWCASE_MS), waits for its window by title,
# saves a screenshot of the screen and waits for the program to end.
# Usage: screenshot_window PNG TITLE PROGRAM [ARGUMENT...]
screenshot_window() {
  local png=$1 title=$2
  shift 2
  rm -f "$png"
  SHOWCASE_MS=5000 wine "$@" >/dev/null 2>&1 &
  local pid=$!
  local shown=1
  for _ in $(seq 1 75); do
    xdotool search --name "^$title\$" >/dev/null 2>&1 && { shown=0; break; }
    sleep 0.2
  done
  if [ $shown = 0 ]; then
    sleep 1
    import -window root "$png" 2>/dev/null
  fi
  wait "$pid" 2>/dev/null
  [ $shown = 0 ] && [ -s "$png" ]
}
