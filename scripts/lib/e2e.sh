# The end-to-end road shared by scripts/demo and scripts/test: an installed tree, Glidepost.exe on
# the simulated board under Wine, and the pointer driven with xdotool. Source after wine.sh.

# Lays out a fresh installation tree: Bin/ with the program and its helpers, and the data folders.
stage_install() {
  local stage=$1
  rm -rf "$stage"
  mkdir -p "$stage/Bin"
  cp build/win64/Glidepost.exe build/win64/glidepost_ratewatch.exe "$stage/Bin/"
  cp -r assets/Conf assets/_Conf assets/Language assets/Images "$stage/"
}

# Waits (up to $2 seconds) for a top-level window whose title is exactly $1; prints its id.
wait_window() {
  local title=$1 seconds=${2:-30} id
  for _ in $(seq 1 $((seconds * 5))); do
    id=$(xdotool search --name "^$title\$" 2>/dev/null | head -1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.2
  done
  return 1
}

# Waits (up to $3 seconds) for a line matching $2 in the log file $1.
wait_log() {
  for _ in $(seq 1 $(($3 * 5))); do
    grep -q -F -- "$2" "$1" 2>/dev/null && return 0
    sleep 0.2
  done
  return 1
}

# The window's top-left corner on the screen: sets WX and WY.
window_origin() {
  eval "$(xdotool getwindowgeometry --shell "$1" | grep -E '^(X|Y)=' | sed 's/^/W/')"
}

# Clicks at a point of the window given in the window's own pixels.
click_at() {
  xdotool mousemove $((WX + $1)) $((WY + $2)) && sleep 0.2 && xdotool click 1 && sleep 0.3
}

# Moves the pointer around over the test pad (22,52 to 656,412 in window pixels) for $1 seconds.
move_over_pad() {
  local steps=$(($1 * 50))
  for i in $(seq 1 "$steps"); do
    xdotool mousemove $((WX + 200 + (i * 7) % 300)) $((WY + 150 + (i * 5) % 200))
    sleep 0.02
  done
}
