#!/bin/sh
# One entry of the catalog (msgexec: the translation on standard input, the Japanese in
# MSGEXEC_MSGID): the translation may drop a placeholder but never invent one; {yen} may stand for
# an amount in 万 ({n}万), {runs} and {won} for {starts}戦 and {wins}勝 counted in words; Qt's %1,
# %2 all stay; the top cat's mark 猫猫猫 stays in front.
str=$(cat)
id=$MSGEXEC_MSGID
[ -z "$id" ] && exit 0
marks() { printf '%s' "$1" | grep -o '{[a-z0-9]*}\|%[0-9]' | sort -u; }
allowed=$(marks "$id")
case "$id" in *'{n}'*万*) allowed=$(printf '%s\n{yen}' "$allowed") ;; esac
case "$id" in *'{starts}戦'*) allowed=$(printf '%s\n{runs}' "$allowed") ;; esac
case "$id" in *'{wins}勝'*) allowed=$(printf '%s\n{won}' "$allowed") ;; esac
for m in $(marks "$str"); do
  printf '%s\n' "$allowed" | grep -qxF "$m" || { echo "placeholder $m is not in the Japanese: $id -> $str" >&2; exit 1; }
done
for m in $(printf '%s' "$id" | grep -o '%[0-9]' | sort -u); do
  printf '%s' "$str" | grep -qF "$m" || { echo "$m is lost: $id -> $str" >&2; exit 1; }
done
case "$id" in 猫猫猫*)
  case "$str" in 猫猫猫*) ;; *) echo "the translation must start with 猫猫猫: $str" >&2; exit 1 ;; esac ;;
esac
exit 0
