# Sourced by the tests that drive the game program on an X screen of their own: a scratch folder with
# a copy of the program ($game), a fail that says which windows were up and what the program said, and
# start_x SIZE, which starts the screen and points the game's folders into the scratch folder.
work=$(mktemp -d)
xvfb= pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  echo "windows shown:"; xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null
  echo "the program said:"; cat "$work/out" 2>/dev/null
  exit 1
}

mkdir -p "$work/game" "$work/rt" "$work/home"
chmod 700 "$work/rt"
cp "$game" "$work/game/polmina"

start_x() {
  Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
  xvfb=$!
  for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] || fail "no X screen"
  export DISPLAY=":$(cat "$work/display")" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$work/rt HOME=$work/home
  export XDG_DATA_HOME=$work/home/data XDG_CONFIG_HOME=$work/home/config
}
