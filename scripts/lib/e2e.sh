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

# Clicks at a point of the window given in its design pixels; WINDOW_SCALE (percent, 100 when
# unset) is the display's scale, by which the window and everything in it are larger.
click_at() {
  local scale=${WINDOW_SCALE:-100}
  xdotool mousemove $((WX + $1 * scale / 100)) $((WY + $2 * scale / 100)) && sleep 0.2 && xdotool click 1 && sleep 0.3
}

# Moves the pointer around over the test pad (22,52 to 656,412 in window pixels) for $1 seconds,
# 50 moves a second, all from one xdotool process. On a board with a <Hand>, the hand moves the
# mouse while the pointer is there, whenever X delivers the moves.
move_over_pad() {
  local steps=$(($1 * 50)) moves=()
  for i in $(seq 1 "$steps"); do
    moves+=(mousemove $((WX + 200 + (i * 7) % 300)) $((WY + 150 + (i * 5) % 200)) sleep 0.02)
  done
  xdotool "${moves[@]}"
}

# Waits (up to $4 seconds) until the log file $1 holds at least $3 lines matching $2.
wait_log_count() {
  for _ in $(seq 1 $(($4 * 5))); do
    [ "$(grep -c -F -- "$2" "$1" 2>/dev/null)" -ge "$3" ] && return 0
    sleep 0.2
  done
  return 1
}

# Chooses a rate on the polling page's track bar: down to 125 Hz with its minimum button, then up
# with its maximum button.
select_rate() {
  local steps
  case $1 in 125) steps=0 ;; 250) steps=1 ;; 500) steps=2 ;; *) steps=3 ;; esac
  for _ in 1 2 3; do click_at 667 88; done
  for _ in $(seq 1 $steps); do click_at 967 88; done
}

# CPU time (user + system, in clock ticks) the processes whose command line names $1 have used.
process_cpu_ticks() {
  local total=0 pid ticks
  for pid in $(pgrep -f -- "$1"); do
    ticks=$(awk '{ print $14 + $15 }' "/proc/$pid/stat" 2>/dev/null) && total=$((total + ticks))
  done
  echo "$total"
}

# Reads ratewatch lines on standard input, skips those before the first report and $5 more (the
# measurement settling), and prints "median=.. window=.. peak=.. cpu=.." as fractions of the rate
# $1: the median of the current rate (the output the page shows), the best window and the peak;
# cpu is the percentage of one core used between the tick counts $2 and $3, taken $4 seconds apart.
rate_figures() {
  sed -n "s/.*output=\([0-9-]*\) instant=[0-9-]* peak=\([0-9.]*\) maxwindow=\([0-9.]*\).*/\1 \2 \3/p" |
    awk -v rate="$1" -v c0="$2" -v c1="$3" -v seconds="$4" -v skip="$5" -v hz="$(getconf CLK_TCK)" '
      { if (started || $1 != 0) { started = 1; n++; if (n > skip) v[++m] = $1 }; peak = $2; window = $3 }
      END {
        if (m == 0) { print "median=0 window=0 peak=0 cpu=100"; exit }
        for (i = 1; i <= m; i++) for (j = i + 1; j <= m; j++) if (v[j] < v[i]) { t = v[i]; v[i] = v[j]; v[j] = t }
        median = (m % 2) ? v[(m + 1) / 2] : (v[m / 2] + v[m / 2 + 1]) / 2
        printf "median=%.4f window=%.4f peak=%.4f cpu=%.1f\n", median / rate, window / rate, peak / rate,
          (c1 - c0) / hz / seconds * 100
      }'
}

# True when the pixel at ($2, $3) of the picture $1 is of a vivid colour (a theme's accent), not
# one of the greys of the dark surfaces.
pixel_saturated() {
  convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- 2>/dev/null |
    sed -n 's/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p' | head -1 |
    awk '{ max = $1; min = $1; for (i = 2; i <= 3; i++) { if ($i > max) max = $i; if ($i < min) min = $i }
           exit !(NF == 3 && max - min > 80) }'
}

# The statistics block of the last ratewatch line on standard input: "reports=.. median=..
# rate=.. verdict=..", the median interval in ms and the rate of the poll interval found in Hz.
last_stats() {
  sed -n "s/.* reports=\([0-9]*\) median=\([0-9.]*\) .* rate=\([0-9.]*\) verdict=\([0-9]*\).*/reports=\1 median=\2 rate=\3 verdict=\4/p" |
    tail -n 1
}

# A figure of a figures line divided by $3: "name=value" with the value as a fraction.
figure_ratio() {
  sed -n "s/.*$2=\([0-9.]*\).*/\1/p" <<<"$1" | awk -v d="$3" '{ printf "ratio=%.4f\n", $1 / d }'
}

# True when the figure named $2 in the figures line $1 lies within $3 and $4.
figure_within() {
  local value
  value=$(sed -n "s/.*$2=\([0-9.]*\).*/\1/p" <<<"$1")
  [ -n "$value" ] && awk -v v="$value" -v lo="$3" -v hi="$4" 'BEGIN { exit !(v >= lo && v <= hi) }'
}
