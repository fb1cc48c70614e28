#!/usr/bin/env bash
# The Debian package as a player gets it: built by CPack from this build, unpacked, its programs run
# from the unpacked tree with the packaged start data, and lintian (when installed) finds no error.
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# The player's own settings (a language, a display size) must not steer what is checked here.
export XDG_CONFIG_HOME=$scratch/config XDG_DATA_HOME=$scratch/data XDG_RUNTIME_DIR=$scratch
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log"; exit 1; }
deb=$(ls "$scratch"/out/polmina_*_amd64.deb)
dpkg-deb -x "$deb" "$scratch/root"
root=$scratch/root/usr
for f in games/polmina games/polmina-sim share/polmina/StartDiza.Dat share/polmina/Help.htm share/polmina/Help.en.htm share/polmina/polmina.en.mo share/polmina/sounds/gate.wav \
    share/applications/org.polmina.Polmina.desktop share/metainfo/org.polmina.Polmina.metainfo.xml \
    share/icons/hicolor/256x256/apps/org.polmina.Polmina.png share/doc/polmina/copyright \
    share/man/man6/polmina.6.gz; do
  [ -e "$root/$f" ] || { echo "not in the package: /usr/$f"; exit 1; }
done
[ ! -e "$root/bin" ] || { echo "programs left in /usr/bin"; exit 1; }
depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 libc6 fonts-ipafont-gothic qt6-translations-l10n; do
  grep -q "$d" <<<"$depends" || { echo "Depends lacks $d: $depends"; exit 1; }
done

version=$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/games/polmina" --version)
[ "$version" = "11種ポルミナF $(dpkg-deb -f "$deb" Version)" ] || { echo "polmina --version said: $version"; exit 1; }
game=$scratch/game
"$root/games/polmina-sim" new "$game" --player たろう --player-sex 0 --cat ミケ --cat-sex 1 --trait 2 \
  --breed 7 --seed 5
[ -s "$game/ZedeVazO.Dat" ] || { echo "polmina-sim new made no save"; exit 1; }
"$root/games/polmina-sim" play "$game" --weeks 4 --seed 5 >"$scratch/play.json"
grep -q "\"weeks\":4," "$scratch/play.json" || { echo "polmina-sim play said: $(cat "$scratch/play.json")"; exit 1; }

if command -v lintian >/dev/null; then
  lintian --tag-display-limit 0 "$deb" >"$scratch/lintian.txt" 2>&1 || true
  if grep -q '^E:' "$scratch/lintian.txt"; then
    cat "$scratch/lintian.txt"
    exit 1
  fi
fi
echo "package $(basename "$deb"): $(stat -c %s "$deb") bytes, runs from its unpacked tree"
