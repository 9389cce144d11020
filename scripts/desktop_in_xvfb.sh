#!/usr/bin/env bash
# The game on a 1920 x 1080 virtual screen under a real window manager
# (openbox), as a new player meets it: where the first start puts the window
# frame, the window at its smallest, at the design size and
# maximised, a message box's title bar, and the help page with no browser on
# the machine. Prints what it measured; screenshots go to build/xvfb-desktop/.
# Usage: scripts/desktop_in_xvfb.sh [KORVEL]   (default: the release build)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/xvfb_session.sh
source scripts/setup.sh
korvel_setup
if [ $# -gt 0 ]; then
  korvel=$(realpath "$1")
else
  cmake --preset release >/dev/null
  cmake --build --preset release -j "$(nproc)" >/dev/null
  korvel=$PWD/build/release/qt/korvel
fi
out=$PWD/build/xvfb-desktop
rm -rf "$out" && mkdir -p "$out/home"
fail() { echo "FAIL: $*" >&2; exit 1; }
# The id of the first visible window whose title matches, once there is one.
window_named() {
  local id
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1) && [ -n "$id" ] && { echo "$id"; return; }
    sleep 0.1
  done
  fail "no window titled $1"
}

xvfb_start 1920x1080
openbox </dev/null >/dev/null 2>&1 &
wm_pid=$!
trap 'kill $wm_pid 2>/dev/null || true; xvfb_cleanup' EXIT
for _ in $(seq 50); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break; sleep 0.1; done

# Starting from the installed place, as a launcher would; no design size here.
(cd "$out/home" && HOME="$out/home" XDG_CONFIG_HOME= XDG_DATA_HOME= SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=0 \
   exec "$korvel") &
game_pid=$!
wid=$(window_named '^Korvel$')
for _ in $(seq 50); do xprop -id "$wid" _NET_FRAME_EXTENTS | grep -q = && break; sleep 0.1; done
sleep 2

# The frame: the client's place less the frame extents the window manager set.
frame() {
  local x y w h l r t b
  eval "$(xwininfo -id "$wid" | awk '/Absolute upper-left X/{print "x="$4} /Absolute upper-left Y/{print "y="$4}
                                      /Width:/{print "w="$2} /Height:/{print "h="$2}')"
  read -r l r t b < <(xprop -id "$wid" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
  echo "$((x - l)) $((y - t)) $((w + l + r)) $((h + t + b)) client ${w}x${h} at $x,$y"
}
read -r fx fy fw fh rest < <(frame)
echo "first start: frame at $fx,$fy, outer ${fw}x${fh}, $rest"
[ "$fx" -ge 0 ] && [ "$fy" -ge 0 ] || fail "the frame is not on the screen"
shot first-start

# A point of the drawing given in twips, on the window as it is now: below
# the menu bar, grown and centred in a larger window; in a smaller one at the
# design size, cropped, until the board and its texts (702 x 513) no longer
# fit, then shrunk.
drawing_xy() {
  xwininfo -id "$wid" | awk -v x="$1" -v y="$2" -v mb="$menubar" '
    function min(a, b) { return a < b ? a : b }
    /Width:/ {w = $2} /Height:/ {h = $2 - mb}
    END {s = min(w / 755, h / 594); if (s < 1) s = min(1, min(w / 702, h / 513)); if (s < 0.5) s = 0.5
         ox = (w - 755 * s) / 2; oy = (h - 594 * s) / 2; if (ox < 0) ox = 0; if (oy < 0) oy = 0
         printf "%d %d\n", int(ox) + x / 15 * s, mb + int(oy) + y / 15 * s}'
}

# 棋譜 → 書込 with no game, then Return in the file-name field: a message box
# in front of the window, its title, and how wide it is.
message() {
  xdotool mousemove --window "$wid" 200 9 click 1 && sleep 0.5
  xdotool key --delay 150 Down Down Return && sleep 1
  xdotool mousemove --window "$wid" $(drawing_xy 2100 3255) click 1 && sleep 0.3
  xdotool type kifu && xdotool key Return && sleep 1
  local box
  box=$(xdotool getactivewindow)
  echo "$1: message box $(xprop -id "$box" _NET_WM_NAME | sed 's/.*= //'), $(xwininfo -id "$box" | awk '/Width:/{print $2}') wide"
  shot "$1"
  xdotool key Return && sleep 0.5
}

# Smaller than the window may be: it stops at half the size of the board and its texts.
xdotool windowsize --sync "$wid" 200 150 || true
sleep 1.5
echo "shrunk: $(frame | cut -d' ' -f5-)"
shot half
message message-half

xdotool windowsize --sync "$wid" 755 $((594 + menubar))
sleep 1.5
echo "design: $(frame | cut -d' ' -f5-)"
shot design

# ｵﾌﾟｼｮﾝ → 背景画 → 宇宙, so that the margins show their tiles plainly.
xdotool mousemove --window "$wid" 242 9 click 1 && sleep 0.5
xdotool key --delay 150 Down Right Down Down Down Return && sleep 1
wmctrl -i -r "$wid" -b add,maximized_vert,maximized_horz
sleep 2
echo "maximised: $(frame | cut -d' ' -f5-)"
shot maximised
message message-maximised
wmctrl -i -r "$wid" -b remove,maximized_vert,maximized_horz
sleep 1.5
xdotool windowsize --sync "$wid" 755 $((594 + menubar))
sleep 1

# 対局 → 対局(COM) → 先手: "MANの番です" under a blank title.
xdotool mousemove --window "$wid" 20 9 click 1 && sleep 0.5
xdotool key --delay 150 Down Down Right Return && sleep 1
box=$(xdotool getactivewindow)
echo "message box title: $(xprop -id "$box" _NET_WM_NAME | sed 's/.*= //')"
shot message-box
xdotool key Return && sleep 0.5

# その他 → 解説 with no browser: the game's own help window.
xdotool mousemove --window "$wid" 294 9 click 1 && sleep 0.5
xdotool key --delay 150 Down Return
help=$(window_named '解説')
sleep 1
echo "help window: $(xprop -id "$help" _NET_WM_NAME | sed 's/.*= //')"
shot help
# The fourth link of the contents, メニュー, by the keyboard.
xdotool key --delay 100 Tab Tab Tab Tab Return && sleep 1
shot help-link

xdotool key --window "$wid" Escape || true
kill "$game_pid" 2>/dev/null || true
echo "screenshots in $out"
