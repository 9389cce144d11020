#!/usr/bin/env bash
# Plays the game in a real window on a virtual screen, the way a new player
# would: menus opened with a click on the menu bar and walked with the arrow
# keys, message boxes answered with Return, pieces moved by clicking squares.
# Screenshots go to build/xvfb-play/. Usage: scripts/play_in_xvfb.sh
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/xvfb_session.sh
release_session xvfb-play

# Two people at one screen: 対局 → 対局(人間) → スタート.
menu 20 Down Right Return
answer
move 3 7 3 6            # a pawn
move 7 3 7 4
move 2 8 8 2 3          # the bishop takes the bishop, promoted by the right button
move 7 1 8 2            # the silver takes it back
press 11 8              # the bishop from the hand ...
press 5 5               # ... dropped in the middle
shot two-humans
xdotool mousemove 91 9 click 1; sleep 0.5   # 戻
shot back
xdotool mousemove 117 9 click 1; sleep 0.5  # 進
shot forward
# The board squares only (the clocks run on).
convert "$out/two-humans.png" -crop 370x410+130+75 "$out/board-before.png"
convert "$out/forward.png" -crop 370x410+130+75 "$out/board-after.png"
compare -metric AE "$out/board-before.png" "$out/board-after.png" null: 2>"$out/board-diff.txt" ||
  { echo "the board after 戻 and 進 is not the newest position ($(cat "$out/board-diff.txt") pixels differ)" >&2; exit 1; }

# Against the computer: 局面 → 最初, then 対局 → 対局(COM) → 先手.
menu 60 Down Return
menu 20 Down Down Right Return
answer
move 3 7 3 6
sleep 2.5
shot computer-reply-1
move 2 7 2 6
sleep 2.5
shot computer-reply-2

# ｵﾌﾟｼｮﾝ → 背景画 → 畳, then quit with Escape and start again: 畳 is kept.
menu 242 Down Right Down Return
shot tatami
xdotool key Escape
wait "$game_pid" || true
LC_ALL=C grep -qF "$(printf '背景画=畳' | iconv -f UTF-8 -t CP932)" "$out/home/.config/Korvel/Korvel.ini" ||
  { echo "畳 was not saved" >&2; exit 1; }
start_game
shot tatami-after-restart
convert "$out/tatami.png" -crop 300x40+0+500 "$out/margin-before.png"
convert "$out/tatami-after-restart.png" -crop 300x40+0+500 "$out/margin-after.png"
compare -metric AE "$out/margin-before.png" "$out/margin-after.png" null: 2>"$out/margin-diff.txt" ||
  { echo "the background after a restart is not 畳" >&2; exit 1; }

# その他 → バージョン情報, then "O K" with Return.
menu 294 Down Down Return
shot about
answer
xdotool key Escape
wait "$game_pid" || true
echo "screenshots in $out"
