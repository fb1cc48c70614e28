#!/usr/bin/env bash
# A game played by keys while the Orca screen reader listens (with_orca.sh), in one language: a new
# game's first pages; then, from a save of a young cat in May, a week with training and a booking, the
# next week with the cat's race watched, its results and the cat's chatter, and the quit with its save.
# Then checks what Orca said (spoken.txt).
#   orca_game.sh <bin folder> <ja|en> <work folder>
set -euo pipefail
here=$(dirname "$(realpath "$0")")

# ---- inside the screen reader's desktop: the game by keys
play() {
  main_title='^(11種ポルミナF|11-Breed Polmina F)$'
  win() { xdotool search --onlyvisible --name "$main_title" | head -1; }
  shown() { xdotool search --onlyvisible --name '.' 2>/dev/null | sort; }
  # No window manager: the keys go where the focus is put, the game's window or its newest box. Orca
  # gets time to speak after each key, as a player gives it.
  keys() {
    xdotool windowfocus "$(win)"
    sleep 0.5
    for k in "$@"; do
      xdotool key "$k"
      sleep 2.5
    done
  }
  # Enter on the message box that is up or comes up within `wait` seconds (the booking's or the race's
  # question): any window but the game's own.
  answer() {
    local box
    for _ in $(seq $(($1 * 4))); do
      box=$(xdotool search --onlyvisible --name '.' 2>/dev/null | while read -r w; do
        xdotool getwindowname "$w" | grep -qE "$main_title" || echo "$w"; done | tail -1)
      if [ -n "$box" ]; then
        sleep 2
        xdotool windowfocus "$box" key Return
        sleep 3
        return
      fi
      sleep 0.25
    done
  }
  mark() { echo "=== $*" >>"$POLMINA_SPOKEN"; }
  # A new game's first two pages in a folder of their own: the instructions, the sex chosen by the arrows.
  newGame() {
    cd "$POLMINA_GAME/../fresh"
    ./polmina --seed 9 --scale 1 --lang "$POLMINA_LANG" >game.log 2>&1 &
    local fresh=$!
    for _ in $(seq 120); do [ -n "$(win)" ] && break; sleep 0.25; done
    sleep 3
    mark wizard
    keys Return        # 最初から
    keys Return        # the welcome's 次へ
    xdotool type Mina
    keys shift+Tab Down Tab Return
    mark wizard end
    kill "$fresh" 2>/dev/null || true
    wait "$fresh" 2>/dev/null || true
  }
  newGame
  cd "$POLMINA_GAME"
  ./polmina --seed 9 --scale 1 --lang "$POLMINA_LANG" >game.log 2>&1 &
  game=$!
  for _ in $(seq 120); do [ -n "$(win)" ] && break; sleep 0.25; done
  if [ -z "$(win)" ]; then
    echo "the game's window did not show:" >&2
    cat game.log >&2
    return 1
  fi
  sleep 3
  keys Tab space     # 続きから
  xdotool key Return # the game goes on
  sleep 12           # the cat's words
  mark training
  keys ctrl+t Right Right Tab Right Return
  mark booking
  keys ctrl+b Up Up Return
  answer 10          # book it
  keys ctrl+b
  mark next week
  keys Tab Tab Tab Tab Tab Tab Tab Tab
  mark week
  keys ctrl+n
  sleep 8
  keys Return        # the results' OK
  sleep 15
  mark race week
  keys ctrl+n
  answer 10          # the cat runs: watch it
  sleep 50
  mark results
  sleep 5
  keys Return        # the results' OK
  sleep 15
  mark quit
  keys ctrl+q
  answer 5           # 本当に終了します？
  answer 5           # ゲームをセーブしますか？
  sleep 6
  mark end
  import -window root "$POLMINA_GAME/end.png"
  kill "$game" 2>/dev/null || true
}

if [ "${1:-}" = "--play" ]; then
  play
  exit
fi

bin=$(realpath "$1")
lang=$2
work=$(realpath -m "$3")
if ! command -v orca >/dev/null || ! command -v speech-dispatcher >/dev/null; then
  echo "orca or speech-dispatcher is not installed"
  exit 77
fi
rm -rf "$work"
mkdir -p "$work/game" "$work/fresh" "$work/home"
"$bin/polmina-sim" new "$work/game" --player Mina --player-sex 0 --cat Tama --cat-sex 1 --trait 2 --breed 7 \
  --seed 5 >/dev/null
"$bin/polmina-sim" play "$work/game" --weeks 28 --seed 5 >/dev/null
for folder in game fresh; do cp "$bin/polmina" "$bin"/*.mo "$bin"/*.Dat "$bin"/*.htm "$work/$folder/"; done
export POLMINA_LANG=$lang POLMINA_GAME=$work/game HOME=$work/home
if [ -n "${POLMINA_PLAY:-}" ]; then
  "$here/with_orca.sh" "$work/orca" "$POLMINA_PLAY"
else
  "$here/with_orca.sh" "$work/orca" "$here/orca_game.sh" --play
fi

# ---- what Orca said
spoken=$work/orca/spoken.txt
failed=0
heard() {  # <what> <extended regular expression>
  if grep -qE "$2" "$spoken"; then
    echo "heard $1"
  else
    echo "NOT HEARD: $1 (/$2/)"
    failed=1
  fi
}
if [ "$lang" = ja ]; then
  heard "the wizard's instruction with the name's limit" '^貴方\(貴女\)の性別、お名前を入力してください。 .全角10文字以内.$'
  heard "the sex chosen by the arrows" '^女性\.$'
  heard "the next page's instruction, for the sex chosen" '^次に貴女の猫君の名前、'
  heard "the whole remark on coming back" '^お帰りニャ、調教を設定しなおしてくれニャ'
  heard "the booking" '8/2 1R 新猫戦に登録しました'
  heard "the booked race with the list" '^ ?8/1 1R 新猫戦\.?$'
  heard "the next week with the training and the booking" '^2001年8月1週、猫名 Tama、.*次走 +8/2 1R 新猫戦'
  heard "the week's results" '^ ?8/1 1R 新猫戦、1着 '
  heard "the race's name with the gate" '新猫戦 +100m、各猫ゲート入り完了'
  heard "the start" '^スタートしました'
  heard "the final stretch" '^残り100.を切りました'
  heard "the cat's place, then the placings" '^Tama [0-9]+着、1着 .*、5着 '
  heard "the results of the cat's week, its race first" '^ ?8/2 1R 新猫戦、1着 .*Tama'
  heard "the remark after the race, whole" '^Mina.*着だったニャ'
  heard "the training as its panel closes" '^水曜 スピードUP 2、'
  heard "the save" '^セーブしました'
else
  # Speech takes an English text a sentence at a time.
  heard "the wizard's instruction" '^Please enter your sex and your name\.$'
  heard "the name's limit" '^ ?\(10 characters at most\)$'
  heard "the sex chosen by the arrows" '^Female\.$'
  heard "the next page's instruction" "^Now tell us your kitty's name"
  heard "the whole remark on coming back" '^Welcome back, nya! Set up my training again, please!'
  heard "the booking" 'Booked into 8/2 1R Newcomers'
  heard "the next week with the training and the booking" '^August, week 1, 2001, Name Tama, .*Next +8/2 1R Newcomers'
  heard "the week's results, names in Latin letters" '^ ?8/1 1R Newcomers, 1st [A-Z][a-z]+, '
  heard "the race's name with the gate" 'Newcomers +100m, All cats are in the gates'
  heard "the start" "^And they're off"
  heard "the final stretch" '^Under 100m to go'
  heard "the cat's place, then the placings" '^Tama [0-9]+(st|nd|rd|th), 1st .*, 5th '
  heard "the results of the cat's week, its race first" '^ ?8/2 1R Newcomers, 1st .*Tama'
  heard "the remark after the race, whole" '^Mina, I came'
  heard "the record for the ear after the race" '^August, week 3, 2001, .* 1 run, 0 wins, '
  heard "the training as its panel closes" '^Wednesday Speed 2, '
  heard "the save" '^Saved'
fi
exit $failed

