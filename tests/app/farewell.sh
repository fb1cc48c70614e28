#!/usr/bin/env bash
# A cat that retires at the coming year end, played by keys and clicks on an X screen of its own: after
# the farewell the program ends by itself with exit code 0, and the next start of the game starts; there
# a display size chosen on the title window restarts the program at that size.
# The windows are found by their exact titles, so a title the window system has added to fails too.
set -u
game=$1 sim=$2 retire=$3
. "$(dirname "$0")/x_screen.sh"
"$sim" new "$work/game" --player a --player-sex 0 --cat b --cat-sex 0 --trait 0 --breed 0 --seed 5 \
  || fail "no new game"
"$retire" "$work/game" || fail "no retiring save"

start_x 1300x1000
# The game starts at ×1; ×2 fits this screen, and the size menu offers it.
mkdir -p "$XDG_CONFIG_HOME/polmina"
printf '[display]\nscale=1\n' >"$XDG_CONFIG_HOME/polmina/polmina.conf"

# The id of the shown window titled exactly $1, waiting up to $2 seconds (default 20).
window() {
  local id
  for _ in $(seq $((${2:-20} * 10))); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}
press() {  # title, key
  local id
  id=$(window "$1") || fail "no window titled $1"
  xdotool windowfocus --sync "$id" key "$2"
}
click() {  # title, x, y in the window
  local id
  id=$(window "$1") || fail "no window titled $1"
  xdotool mousemove --window "$id" "$2" "$3" click 1
}
start() {
  (cd "$work/game" && exec ./polmina) >"$work/out" 2>&1 &
  pid=$!
}

start
click "11種ポルミナF" 203 194           # 続きから
press "ルネッタ" y                      # ゲームを再開します。
# From here the week runs at its own pace (slowly under the sanitizers), so the script waits for what
# shows instead of for a time: the cat's words are closed, races are not watched, and the OK of the
# results and then of the awards (where 次週 was) is clicked until the retirement is announced.
visible() { xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -1; }
for _ in $(seq 100); do [ -z "$(visible '^ルネッタ$')" ] && break; sleep 0.1; done
announced=0
for _ in $(seq 600); do
  if [ -n "$(visible '^ルネッタ$')" ]; then announced=1; break; fi
  if id=$(visible '^R[1-5]$') && [ -n "$id" ]; then
    xdotool windowfocus --sync "$id" key n
  elif id=$(visible '^ｂ$') && [ -n "$id" ]; then
    xdotool windowfocus --sync "$id" key Escape
  else
    click "11種ポルミナF" 260 200        # 次週, then the results' OK, then the awards' OK
  fi
  sleep 0.2
done
[ "$announced" -eq 1 ] || fail "no retirement announced within two minutes"
press "ルネッタ" Return                  # ... が引退することになりました。
press "ｂ *" Return                     # the cat's career record, as a farewell
press "ルネッタ" Return                  # ゲームを終了します / ありがとうございました
ended=0
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || { ended=1; break; }; sleep 0.1; done
[ "$ended" -eq 1 ] || fail "the program still runs five seconds after the farewell"
wait "$pid"
rc=$?
pid=
[ "$rc" -eq 0 ] || fail "the program ended with exit code $rc"

start
id=$(window "11種ポルミナF" 10) || fail "the next start did not open the title window: $(cat "$work/out")"
kill -0 "$pid" 2>/dev/null || fail "the next start ended"
echo "the farewell ended the program and the next start started"

# On the title window a new display size applies at once: the program starts again in its own place
# (the same process) and its title window comes back twice as large.
size() { xdotool getwindowgeometry "$1" | sed -n 's/ *Geometry: //p'; }
before=$(size "$id")
xdotool windowfocus --sync "$id" key ctrl+d
sleep 0.5
xdotool key Down Right                 # 表示サイズ, opened on ×1
sleep 0.3
xdotool key Down Down Return           # ×1.5, ×2
for _ in $(seq 100); do
  id=$(window "11種ポルミナF" 1) && [ "$(size "$id")" != "$before" ] && break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null || fail "the program ended instead of starting again"
w=${before%x*} h=${before#*x}
[ "$(size "$id")" = "$((2 * w))x$((2 * h))" ] || fail "the title window is $(size "$id"), not twice $before"
echo "the display size chosen on the title window applied at once"
