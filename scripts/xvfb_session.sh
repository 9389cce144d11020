# Sourced by the scripts and the test that play the game in a real window on
# a virtual screen. Before sourcing, set `out` (screenshots, and `$out/home`
# as the player's home folder) and `korvel` (the program to start).
#
#   release_session NAME  for the scripts here: the set-up, a release build,
#                         a fresh build/NAME as $out, the screen and the game
#   xvfb_start [WxH]      a virtual screen of its own (1280x1024); stopped on exit
#   start_game            starts $korvel from $out/home, waits for its window
#                         and gives the drawing its design size
#   press C R [BUTTON]    a click on cell (C, R) of the drawing
#   move FC FR TC TR [B]  two clicks: a piece, then where it goes
#   menu X KEY…           opens the menu-bar entry at X and types the keys
#   answer                Return, for the message box in front
#   control L T W H       a click in the middle of a panel control's design place
#   shot NAME             the screen into $out/NAME.png

game_pid=
xvfb_pid=
menubar=19
xvfb_cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}

xvfb_start() {
  local n display=
  for n in $(seq 60 89); do
    [ -e "/tmp/.X$n-lock" ] || { display=:$n; break; }
  done
  [ -n "$display" ] || { echo "no free display" >&2; exit 1; }
  Xvfb "$display" -screen 0 "${1:-1280x1024}x24" -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  trap xvfb_cleanup EXIT
  export DISPLAY=$display
  # A real window there, whatever the surrounding tests run on.
  export QT_QPA_PLATFORM=xcb
  for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
}

start_game() {
  # From a folder of its own, as a launcher would start it.
  (cd "$out/home" && HOME="$out/home" XDG_CONFIG_HOME= XDG_DATA_HOME= SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=0 \
     exec "$korvel") &
  game_pid=$!
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name '^Korvel$' >/dev/null 2>&1 && break
    sleep 0.1
  done
  local wid
  wid=$(xdotool search --onlyvisible --name '^Korvel$' | head -1)
  [ -n "$wid" ] || { echo "no window titled Korvel" >&2; exit 1; }
  # The start size is a little smaller than the drawing, which then shrinks
  # with it; at the design size the cell arithmetic below holds.
  xdotool windowsize --sync "$wid" 755 $((594 + menubar))
  sleep 1
}

release_session() {
  source scripts/setup.sh
  korvel_setup
  cmake --preset release >/dev/null
  cmake --build --preset release -j "$(nproc)" >/dev/null
  out=$PWD/build/$1
  rm -rf "$out" && mkdir -p "$out/home"
  korvel=$PWD/build/release/qt/korvel
  xvfb_start
  start_game
}

# The drawing starts right below the menu bar, 15 twips to a pixel; cell
# (c, r) has its corner at 1300 + 615 c, 100 + 690 r twips.
cell_xy() { echo $(((1300 + 615 * $1 + 307) / 15)) $((menubar + (100 + 690 * $2 + 345) / 15)); }
press() { xdotool mousemove $(cell_xy "$1" "$2") click "${3:-1}"; sleep 0.5; }
move() { press "$1" "$2"; press "$3" "$4" "${5:-1}"; }
menu() { xdotool mousemove "$1" 9 click 1; sleep 0.5; shift; xdotool key --delay 150 "$@"; sleep 0.8; }
answer() { xdotool key Return; sleep 0.5; }
control() { xdotool mousemove $((($1 + $3 / 2) / 15)) $((menubar + ($2 + $4 / 2) / 15)) click 1; sleep 0.4; }
shot() { import -window root "$out/$1.png"; }
