#!/bin/sh
# Writes the golden transcript of `search 3` over every fourth position of the
# benchmark suite. Run once with the straightforward engine; a faster engine
# must reproduce the file byte for byte (golden_test.cpp).
#   tests/engine/make_golden_search3.sh build/xxx/cli/korvel-cli > tests/engine/golden_search3.txt
set -eu
cli=$1
src=$(dirname "$0")/../..
echo "# korvel-cli transcript: each '> ' line is a command, the lines after it its answer."
grep -v '^#' "$src/bench/positions.txt" | awk 'NR % 4 == 1' | while read -r line; do
  echo "> position $line"
  echo "> search 3"
  printf 'position %s\nsearch 3\n' "$line" | "$cli"
done
