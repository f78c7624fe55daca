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
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
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
