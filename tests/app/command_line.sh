#!/usr/bin/env bash
# The game's command line as a player types it: --version and a mistake need no display; a first start
# picks a display size from the screen and remembers it, --scale replaces it; --lang likewise.
set -u
game=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
chmod 700 "$scratch"
export XDG_RUNTIME_DIR=$scratch XDG_CONFIG_HOME=$scratch/config
fail() { echo "$1"; exit 1; }
# A copy of its own: the save folder (and the lock in it) is the program's folder.
mkdir -p "$scratch/game"
cp "$game" "$scratch/game/polmina"
cp "$(dirname "$game")"/polmina.*.mo "$scratch/game/"
game=$scratch/game/polmina

out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$game" --version) || fail "--version failed"
[[ $out == "11種ポルミナF "* ]] || fail "--version said: $out"
env -u DISPLAY "$game" --seed many >/dev/null 2>"$scratch/err"
[ $? -eq 2 ] || fail "a bad seed did not end with exit code 2"
grep -q "^--seed には 0 から 18446744073709551615 までの整数を" "$scratch/err" || fail "a bad seed said: $(cat "$scratch/err")"
env -u DISPLAY "$game" --bogus 2>"$scratch/err"
grep -q "^知らないオプションです: --bogus$" "$scratch/err" || fail "--bogus said: $(cat "$scratch/err")"
env -u DISPLAY "$game" --seed 1 --seed 2 2>"$scratch/err"
grep -q "二度" "$scratch/err" || fail "a repeated --seed said: $(cat "$scratch/err")"
env -u DISPLAY "$game" --seed 2>"$scratch/err"
grep -q "^オプション --seed に値がありません。$" "$scratch/err" || fail "a missing value said: $(cat "$scratch/err")"
# Without a display --scale changes no setting.
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$game" --scale 2 >/dev/null 2>&1
[ ! -e "$scratch/config/polmina/polmina.conf" ] || fail "--scale without a display remembered: $(cat "$scratch/config/polmina/polmina.conf")"

# Starts the game on the offscreen screen (800 x 600), waits for its lock, ends it.
run() {
  QT_QPA_PLATFORM=offscreen "$game" "$@" >/dev/null 2>&1 &
  local pid=$!
  for _ in $(seq 100); do [ -e "$scratch/game/polmina.lock" ] && break; sleep 0.05; done
  sleep 1  # the title window is up
  kill "$pid"
  wait "$pid" 2>/dev/null
  rm -f "$scratch/game/polmina.lock"
}
conf=$scratch/config/polmina/polmina.conf
run
grep -qx "scale=1" "$conf" || fail "a first start on 800 x 600 remembered: $(cat "$conf" 2>/dev/null)"
run --scale 1.5
grep -qx "scale=1.5" "$conf" || fail "--scale 1.5 remembered: $(cat "$conf")"
# ×1.5 does not fit 800 x 600: the game shows ×1 and says so, once.
grep -q "shrunkTold" "$conf" || fail "--scale 1.5 on 800 x 600 was not shrunk: $(cat "$conf")"
# The language: any other word refused, English help in English, remembered for the next start.
env -u DISPLAY "$game" --lang fr >/dev/null 2>"$scratch/err"
[ $? -eq 2 ] || fail "--lang fr did not end with exit code 2"
grep -q "^--lang には ja か en" "$scratch/err" || fail "--lang fr said: $(cat "$scratch/err")"
out=$(env -u DISPLAY "$game" --lang en --help) || fail "--lang en --help failed"
[[ $out == "Usage: polmina [options]"* ]] || fail "--lang en --help said: $out"
run --lang en
grep -qx "language=en" "$conf" || fail "--lang en remembered: $(cat "$conf")"
out=$(env -u DISPLAY "$game" --seed many 2>&1)
[[ $out == "--seed takes"* ]] || fail "after --lang en, a mistake said: $out"
echo "command line, display size and language as expected"
