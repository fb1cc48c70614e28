#!/usr/bin/env bash
# A second start of the game on the same save while one runs ends at once, without a word, and leaves
# the first running, even when it comes from another login of the same user (another runtime folder).
# A game with a save folder of its own runs beside it.
set -u
game=$1
work=$(mktemp -d)
mkdir -p "$work/one" "$work/two" "$work/rt1" "$work/rt2" "$work/rt3"
chmod 700 "$work"/rt*
cp "$game" "$work/one/polmina"
cp "$game" "$work/two/polmina"
export QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=$work/config
XDG_RUNTIME_DIR=$work/rt1 "$work/one/polmina" >/dev/null 2>&1 &
first=$!
for _ in $(seq 100); do [ -e "$work/one/polmina.lock" ] && break; sleep 0.05; done
XDG_RUNTIME_DIR=$work/rt2 TMPDIR=$work/rt2 timeout 20 "$work/one/polmina" >"$work/second.out" 2>&1
rc=$?
# Another save folder: its own copy, which stays.
XDG_RUNTIME_DIR=$work/rt3 "$work/two/polmina" >/dev/null 2>&1 &
other=$!
sleep 1
alive=0 otherAlive=0
kill -0 "$first" 2>/dev/null && alive=1
kill -0 "$other" 2>/dev/null && otherAlive=1
kill "$first" "$other" 2>/dev/null
wait "$first" "$other" 2>/dev/null
out=$(grep -v -e "^This plugin" -e "^QStandardPaths" "$work/second.out")
rm -rf "$work"
[ "$rc" -eq 0 ] || { echo "second start did not end at once (exit $rc)"; exit 1; }
[ "$alive" -eq 1 ] || { echo "the first copy is gone"; exit 1; }
[ "$otherAlive" -eq 1 ] || { echo "a game on another save folder did not run"; exit 1; }
[ -z "$out" ] || { echo "second start said: $out"; exit 1; }
echo "second start ended at once"
