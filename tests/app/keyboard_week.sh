#!/usr/bin/env bash
# A week played by keys alone in the game program on an X screen without a window manager: 続きから,
# training set with the arrow keys, a race booked from the list, the week run and its results closed,
# then 終了 with a save. No window is ever given the focus from outside: the game gives it itself.
# The save must be the next week, with the booking, and the same game as polmina-sim's week with that
# training.
set -u
game=$1 sim=$2
. "$(dirname "$0")/x_screen.sh"
cp "$(dirname "$game")"/*.Dat "$(dirname "$game")"/*.htm "$work/game/" 2>/dev/null
"$sim" new "$work/game" --player a --player-sex 0 --cat b --cat-sex 0 --trait 0 --breed 0 --seed 5 >/dev/null \
  || fail "no new game"
# The first race a new cat may run: July's first race for new cats.
slot=$("$sim" show "$work/game" calendar | python3 -c '
import json, sys
races = json.load(sys.stdin)
print(next(i for i in range(120, 240) if races[i]["raceClass"] == 9))')

start_x 1024x768
"$work/game/polmina" --seed 9 --scale 1 >"$work/out" 2>&1 &
pid=$!
for _ in $(seq 80); do xdotool search --onlyvisible --name "^11種ポルミナF$" >/dev/null && break; sleep 0.25; done
keys() { xdotool key --delay 120 "$@"; sleep 1; }
# Waits for a window with this exact title to be shown, or to be gone; a busy machine is slow.
shown() { for _ in $(seq 120); do xdotool search --onlyvisible --name "^$1\$" >/dev/null && return; sleep 0.25; done; fail "no window $1"; }
gone() { for _ in $(seq 120); do xdotool search --onlyvisible --name "^$1\$" >/dev/null || return; sleep 0.25; done; fail "window $1 stays"; }

keys Tab Return                  # 続きから
shown ルネッタ
keys Return                      # "ゲームを再開します。" はい
shown ｂ                          # the cat's words, until they close themselves
gone ｂ
# Wednesday: speed two steps, power full; Tab on past the other bars (never onto the covered cat
# picture), and Enter is the panel's ＯＫ.
keys ctrl+t Right Right Tab Tab End Tab Tab Tab Tab Return
keys ctrl+b                      # the list starts at the coming weeks
xdotool key --delay 15 $(for _ in $(seq $((slot - 7))); do printf 'Down '; done)
keys Return                      # this race
shown レース登録
keys Return                      # "登録しますか" はい
gone レース登録
keys Escape                      # the panel closes
keys ctrl+n
# Enter does nothing until the week's races have run and the results' OK has the focus: the first
# Enter after that closes the week, and the cat has its say.
for _ in $(seq 60); do
  xdotool key Return
  sleep 1
  xdotool search --onlyvisible --name "^ｂ\$" >/dev/null && break
done
shown ｂ
gone ｂ
keys ctrl+q
shown 終了
keys Return                      # "本当に終了します？" はい
keys Return                      # "ゲームをセーブしますか？" はい
for _ in $(seq 80); do kill -0 "$pid" 2>/dev/null || break; sleep 0.25; done
kill -0 "$pid" 2>/dev/null && fail "the game did not end"
pid=

# The same week in polmina-sim with the same training: the same game, but for the booking.
mkdir "$work/sim"
"$sim" new "$work/sim" --player a --player-sex 0 --cat b --cat-sex 0 --trait 0 --breed 0 --seed 5 >/dev/null
"$sim" play "$work/sim" --weeks 1 --seed 9 --train 1 0 3 0 0 0 >/dev/null || fail "polmina-sim did not play"
"$sim" show "$work/sim" state >"$work/sim.json"
"$sim" show "$work/game" state | python3 -c '
import json, sys
s = json.load(sys.stdin)
sim = json.load(open(sys.argv[2]))
cat = s["cats"][s["playerCat"]]
if (s["month"], s["week"], cat["entryRace"]) != (1, 2, int(sys.argv[1])):
    sys.exit("month, week, booking: %s" % ((s["month"], s["week"], cat["entryRace"]),))
cat["entryRace"] = -1
sys.exit(0 if s == sim else "the week differs from the one played with the same training")' "$slot" "$work/sim.json" \
  || fail "the save is not the week played by keys"
echo "a week by keys alone: ok"
