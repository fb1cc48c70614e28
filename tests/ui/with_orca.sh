#!/usr/bin/env bash
# Runs a command as a blind player meets the game: on an X screen of its own, with a session bus and an
# accessibility bus of its own, the Orca screen reader listening, and speech-dispatcher writing each
# utterance Orca makes to a file instead of a sound card.
#   with_orca.sh <work folder> <command> [arguments]
# The utterances land in <work folder>/spoken.txt, one a line; Orca's own log in <work folder>/orca.log.
# The command sees POLMINA_SPOKEN (the utterance file) and POLMINA_ORCA_LOG.
set -euo pipefail
# One Orca a user: a second one will not start, and one started with --replace kills the others. Runs of
# this script wait for each other (the lock is held by flock alone, never by a daemon started here); a
# screen reader the user runs is left alone, and the run skipped.
if [ -z "${POLMINA_ORCA_TURN:-}" ]; then
  POLMINA_ORCA_TURN=1 exec flock -o -w 1800 "${TMPDIR:-/tmp}/polmina-orca-$(id -u).lock" "$0" "$@"
fi
work=$(realpath "$1")
shift
if pgrep -u "$(id -u)" -x orca >/dev/null; then
  echo "another Orca is running for this user: not started beside it"
  exit 77
fi
mkdir -p "$work/config/speech-dispatcher/modules" "$work/data" "$work/runtime" "$work/cache"
chmod 700 "$work/runtime"
: >"$work/spoken.txt"
: >"$work/orca.log"
# Every utterance on a line of its own, whatever the language asked for.
cat >"$work/config/speech-dispatcher/modules/to-file.conf" <<CONF
GenericExecuteSynth "printf '%s\\\\n' \'\$DATA\' >> $work/spoken.txt"
GenericCmdDependency "printf"
GenericLanguage "en" "en" "utf-8"
GenericLanguage "ja" "ja" "utf-8"
AddVoice "en" "MALE1" "plain"
AddVoice "ja" "MALE1" "plain"
CONF
cat >"$work/config/speech-dispatcher/speechd.conf" <<CONF
CommunicationMethod "unix_socket"
SocketPath "default"
Timeout 600
LogLevel 3
LogDir "$work"
AddModule "to-file" "sd_generic" "to-file.conf"
DefaultModule "to-file"
LanguageDefaultModule "ja" "to-file"
LanguageDefaultModule "en" "to-file"
AudioOutputMethod "libao"
CONF
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime" \
  XDG_CACHE_HOME="$work/cache" QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 POLMINA_SPOKEN="$work/spoken.txt" POLMINA_ORCA_LOG="$work/orca.log"
exec dbus-run-session -- xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" bash -c '
  set -u
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null
  gsettings set org.gnome.desktop.a11y.applications screen-reader-enabled true 2>/dev/null || true
  speech-dispatcher --run-single --timeout 0 >/dev/null 2>&1 &
  speech=$!
  orca --debug-file="$POLMINA_ORCA_LOG" >"$(dirname "$POLMINA_SPOKEN")/orca.out" 2>&1 &
  orca=$!
  # Orca is listening once it has said so.
  for _ in $(seq 1 600); do
    grep -q "Screen reader on" "$POLMINA_SPOKEN" 2>/dev/null && break
    sleep 0.1
  done
  sleep 1
  status=0
  "$@" || status=$?
  # Orca may linger on its way out: it gets three seconds.
  kill "$orca" 2>/dev/null || true
  for _ in $(seq 1 30); do kill -0 "$orca" 2>/dev/null || break; sleep 0.1; done
  kill -9 "$orca" "$speech" 2>/dev/null || true
  wait 2>/dev/null || true
  exit $status' with_orca "$@"
