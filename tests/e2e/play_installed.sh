#!/usr/bin/env bash
# A player's session with the installed game in a real window on a virtual
# screen: a game against the computer chosen from the menus, three moves and
# the replies, 戻 and 進, the record written through the panel and read back,
# the 宇宙 background chosen and found again after a restart, the game kept
# after every move found again after Escape and played on, a handicap game
# kept as KIF, a game given up with 投了 kept with its result, and the review's
# graph showing a move's position on a click. Screenshots are kept in
# BUILD/e2e/ as the test's artefacts.
# Usage: play_installed.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
out=$build/e2e
rm -rf "$out" && mkdir -p "$out/home"
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$out/prefix" >/dev/null
korvel=$out/prefix/bin/korvel
cli=$out/prefix/bin/korvel-cli
[ "$("$korvel" --version)" = "$("$cli" --version | sed 's/korvel-cli/korvel/')" ] || fail "the two programs disagree on the version"

source "$(dirname "$0")/../../scripts/xvfb_session.sh"
xvfb_start
# The inside of a cell, frames left out, from a screenshot.
crop_cell() { convert "$out/$1.png" -crop 36x40+$(((1300 + 615 * $2) / 15 + 3))+$((menubar + (100 + 690 * $3) / 15 + 3)) "$out/$4.png"; }
same() { compare -metric AE "$out/$1.png" "$out/$2.png" null: 2>/dev/null; }
board() { convert "$out/$1.png" -crop 370x410+130+75 "$out/$2.png"; }
# The same pieces on the same squares; the frame of the computer's last move
# (one cell's outline, under 200 pixels) may come and go.
same_pieces() {
  local differ
  differ=$(compare -metric AE "$out/$1.png" "$out/$2.png" null: 2>&1 || true)
  [ "${differ%%.*}" -lt 200 ]
}
# The computer has replied once the board has stood still for a second.
wait_reply() {
  local n=0 still=0
  import -window root "$out/poll-a.png"
  board poll-a before
  while [ $n -lt 60 ] && [ $still -lt 4 ]; do
    sleep 0.3
    import -window root "$out/poll-b.png"
    board poll-b now
    if same before now; then still=$((still + 1)); else still=0; fi
    mv "$out/now.png" "$out/before.png"
    n=$((n + 1))
  done
  [ $still -ge 4 ] || fail "the computer did not finish its move"
}

start_game
shot start
crop_cell start 5 5 empty-square
crop_cell start 4 7 lower-pawn

# 対局 → 対局(COM) → 先手, and the "MANの番です" box.
menu 20 Down Down Right Return
answer
press 3 7
press 3 6
wait_reply
shot move-1
crop_cell move-1 3 7 left
crop_cell move-1 3 6 arrived
same left empty-square || fail "the pawn's square is not empty after its move"
same arrived lower-pawn || fail "the pawn did not arrive"
press 2 7 && press 2 6 && wait_reply
press 7 7 && press 7 6 && wait_reply
shot move-3
board move-3 newest

# 戻 then 進 come back to the newest position.
xdotool mousemove 91 9 click 1 && sleep 0.8
shot back
board back back-board
same_pieces back-board newest && fail "戻 did not step back"
xdotool mousemove 117 9 click 1 && sleep 0.8
shot forward
board forward forward-board
same_pieces forward-board newest || fail "進 did not come back to the newest position"

# 棋譜 → 書込 through the panel, then 棋譜 → 読込 and a click on the file.
menu 200 Down Down Return
control 960 2400 2295 270 && xdotool type --delay 40 "e2e"
control 960 3120 2295 270 && xdotool type --delay 40 "e2e-game"
shot panel-writing
control 3360 3000 855 375
answer
record="$out/home/e2e-game.棋譜"
[ -f "$record" ] || fail "no record was written"
"$cli" <<<"record $record" >"$out/record.txt"
grep -q '^entry 6 ' "$out/record.txt" && ! grep -q '^entry 7 ' "$out/record.txt" ||
  fail "the record does not hold the six moves of the game"
menu 200 Down Return
control 240 2280 2535 60
shot read
answer
answer
for _ in 1 2 3 4 5 6; do xdotool mousemove 117 9 click 1; sleep 0.7; done
shot replayed
board replayed replayed-board
same_pieces replayed-board newest || fail "the record stepped to its end is not the game"

# ｵﾌﾟｼｮﾝ → 背景画 → 宇宙 (the fourth), Escape, and a new start keeps it.
menu 242 Down Right Down Down Down Return
shot uchu
xdotool key Escape
wait "$game_pid" || true
game_pid=
setting=$(printf '背景画=宇宙' | iconv -f UTF-8 -t CP932)
LC_ALL=C grep -qF "$setting" "$out/home/.config/Korvel/Korvel.ini" || fail "宇宙 was not saved"
start_game
shot uchu-again
crop_cell uchu 13 6 margin-before
crop_cell uchu-again 13 6 margin-after
same margin-before margin-after || fail "the background after a new start is not 宇宙"
xdotool key Escape
wait "$game_pid" || true
game_pid=

# The game against the computer was kept after each of its moves: after
# Escape and a new start, 棋譜 → 前回の対局 lists it, Return reads it, 進
# steps to its end, and 先手 plays on from there.
kept=$out/home/.local/share/Korvel
ls "$kept"/*.棋譜 >/dev/null 2>&1 || fail "the game in progress was not kept"
start_game
menu 200 Down Down Down Return
sleep 0.8
shot kept-list
xdotool key Return
sleep 0.5
answer
answer
for _ in 1 2 3 4 5 6; do xdotool mousemove 117 9 click 1; sleep 0.7; done
shot last-game
# The squares only: the background around the board is 宇宙 now.
convert "$out/last-game.png" -crop 364x404+133+78 +repage "$out/last-game-board.png"
convert "$out/newest.png" +repage -crop 364x404+3+3 +repage "$out/newest-squares.png"
same_pieces last-game-board newest-squares || fail "前回の対局 stepped to its end is not the game"
menu 20 Down Down Right Return
answer
press 4 7 && press 4 6 && wait_reply
shot resumed
crop_cell resumed 4 6 resumed-arrived
same resumed-arrived lower-pawn || fail "no move was accepted after resuming the kept game"
xdotool key Escape
wait "$game_pid" || true
game_pid=

# A handicap game of two moves, Escape: kept as KIF, listed first by
# 前回の対局 after a new start, and read back with its two moves.
start_game
xdotool mousemove 143 9 click 1 && sleep 0.8
answer
menu 20 Down Down Right Return
answer
press 3 7 && press 3 6 && wait_reply
shot handicap
board handicap handicap-board
xdotool key Escape
wait "$game_pid" || true
game_pid=
ls "$kept"/*.kif >/dev/null 2>&1 || fail "the handicap game was not kept as KIF"
start_game
menu 200 Down Down Down Return
sleep 0.8
shot kept-list-handicap
xdotool key Return
sleep 0.5
answer
answer
for _ in 1 2; do xdotool mousemove 117 9 click 1; sleep 0.7; done
shot handicap-read
board handicap-read handicap-read-board
same_pieces handicap-read-board handicap-board || fail "the kept handicap game read back is not the game"

# A new game against the computer given up with 投了: kept with its result;
# the list then names both games' results.
menu 60 Down Return
menu 20 Down Down Right Return
answer
press 3 7 && press 3 6 && wait_reply
menu 20 Down Down Down Down Down Return
answer
xdotool key Escape
wait "$game_pid" || true
game_pid=
resigned=$(ls -t "$kept"/*.棋譜 | head -1)
head -1 "$resigned" | iconv -f CP932 -t UTF-8 | grep -q 'LEVEL3　後手の勝ち' || fail "投了 was not kept with its result"
grep -q 'まで2手で中断' "$(ls -t "$kept"/*.kif | head -1)" || fail "the handicap game's KIF has no ending line"
start_game
menu 200 Down Down Down Return
sleep 0.8
shot kept-list-results
xdotool key Escape
sleep 0.3

# The review after a short game: the graph opens, a click on it shows that
# move's position on the board.
menu 20 Down Right Return
answer
move 3 7 3 6
move 7 3 7 4
move 2 8 5 5
move 7 4 7 5
shot before-review
board before-review before-review-board
menu 60 Down Down Down Down Return
sleep 3
graph=$(xdotool search --onlyvisible --name '形勢グラフ' | head -1)
[ -n "$graph" ] || fail "no 形勢グラフ window"
eval "$(xdotool getwindowgeometry --shell "$graph")"
xdotool mousemove $((X + WIDTH * 30 / 100)) $((Y + HEIGHT / 2)) click 1
sleep 1
shot review
board review review-board
same_pieces review-board before-review-board && fail "a click on the graph did not show another position"
kill "$game_pid"
wait "$game_pid" || true
game_pid=
rm -f "$out"/poll-*.png "$out/before.png"
echo "e2e: passed; screenshots in $out"
