#!/usr/bin/env bash
# The English catalog is complete: every text of the sources is in it, translated, none fuzzy, and
# every translation uses only the placeholders its Japanese text offers.
#   check_catalog.sh SOURCE_DIR
set -euo pipefail
src=$1
po=$src/po/en.po
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
stats=$(LC_ALL=C msgfmt --check --statistics -o /dev/null "$po" 2>&1)
echo "$stats"
case "$stats" in *fuzzy* | *untranslated*)
  echo "the catalog is not complete: run scripts/po-update and translate what it marks" >&2
  exit 1 ;;
esac
"$src/scripts/po-update" --extract "$work/polmina.pot"
# A text of the sources that the catalog lacks.
msgcmp "$po" "$work/polmina.pot"
msgexec -i "$po" "$src/tests/po/placeholders.sh"
echo "catalog complete: $(grep -c '^msgid "' "$po") entries"
