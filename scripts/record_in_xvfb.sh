#!/usr/bin/env bash
# Writes a game record through the record panel in a real window on a virtual
# screen, reads it back with a click in the file list and steps through it
# with 進, the way a player would. The record goes into the folder the game
# was started in; screenshots go to build/xvfb-record/.
# Usage: scripts/record_in_xvfb.sh
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/xvfb_session.sh
release_session xvfb-record
kifu=200  # the 棋譜 menu on the menu bar
after=117 # 進

# Two people at one screen: 対局 → 対局(人間) → スタート, three moves.
menu 20 Down Right Return
answer
move 3 7 3 6
move 7 3 7 4
move 2 8 8 2 3
shot played

# 棋譜 → 書込: title, the two names and the file name, then RETURN.
menu $kifu Down Down Return
control 960 2400 2295 270 && xdotool type --delay 50 "第一局"
control 960 2640 2295 270 && xdotool type --delay 50 "先手太郎"
control 960 2880 2295 270 && xdotool type --delay 50 "後手花子"
control 960 3120 2295 270 && xdotool type --delay 50 "xvfb対局"
sleep 0.3
shot panel-writing
control 3360 3000 855 375
shot written
answer
[ -f "$out/home/xvfb対局.棋譜" ] || { echo "no record was written" >&2; exit 1; }

# 棋譜 → 読込: the file list shows the record; one click reads it.
menu $kifu Down Return
shot panel-reading
control 240 2280 2535 60
shot read
answer
answer
for _ in 1 2 3; do
  xdotool mousemove $after 9 click 1
  sleep 0.6
done
shot stepped
# The board squares only: the record's last position is the game's.
convert "$out/played.png" -crop 370x410+130+75 "$out/board-played.png"
convert "$out/stepped.png" -crop 370x410+130+75 "$out/board-stepped.png"
compare -metric AE "$out/board-played.png" "$out/board-stepped.png" null: 2>"$out/board-diff.txt" ||
  { echo "the record stepped to its end is not the game ($(cat "$out/board-diff.txt") pixels differ)" >&2; exit 1; }
xdotool mousemove $after 9 click 1
sleep 0.6
shot end-of-record  # "終わり"
answer
xdotool key Escape
sleep 0.5
build/release/cli/korvel-cli <<<"record $out/home/xvfb対局.棋譜" | cut -c1-60
echo "screenshots in $out"
