#!/usr/bin/env bash
# Started without a mouse under an X server, the program shows its plug-in
# message once; OK ends it with status 0, after it has applied the profile in
# force to config.ini beside itself (not in the current folder).
# Usage: plugin_message_x11.sh PROGRAM VER_SEL
set -u
program=$1 lang=$2
work=$(mktemp -d) runtime=$(mktemp -d)
chmod 700 "$runtime"
trap 'kill $pid 2>/dev/null; rm -rf "$work" "$runtime"' EXIT
# The program's folder as delivered: the program, its skin and its macro files.
cp "$program" "$work/VUX_GMouse"
cp -r "$(dirname "$program")/skins" "$work/skins"
cp "$(dirname "$program")"/Macro_EN.dat "$(dirname "$program")"/Macro_CN.dat "$work/"
printf '[Init]\r\nCurConfig=2\r\nVER_SEL=%s\r\n' "$lang" > "$work/config.ini"

cd / # the program must not depend on the current folder
XDG_RUNTIME_DIR=$runtime QT_QPA_PLATFORM=xcb "$work/VUX_GMouse" &
pid=$!

wid=$(timeout 60 xdotool search --sync --onlyvisible --name '^VUX_GMouse$' | head -n 1)
[ -n "$wid" ] || { echo "FAIL: no message box appeared"; exit 1; }
count=$(xdotool search --onlyvisible --name '^VUX_GMouse$' | wc -l)
[ "$count" -eq 1 ] || { echo "FAIL: $count message boxes"; exit 1; }
xdotool windowfocus --sync "$wid"
xdotool key --clearmodifiers Return

timeout 60 tail --pid=$pid -f /dev/null
# No second message may follow the first.
if [ -n "$(xdotool search --onlyvisible --name '^VUX_GMouse$' 2>/dev/null)" ]; then
  echo "FAIL: another message box after OK"; exit 1
fi
wait $pid
status=$?
[ $status -eq 0 ] || { echo "FAIL: exit status $status"; exit 1; }
# Even without the mouse the profile in force is applied: profile 6 is stored.
if ! tr -d '\r' < "$work/config.ini" | grep -q '^CurConfig=2$' ||
   ! tr -d '\r' < "$work/config.ini" | grep -q '^\[Config6\]$'; then
  echo "FAIL: config.ini beside the program does not hold the applied profile:"
  cat "$work/config.ini"; exit 1
fi
echo "plug-in message shown once, OK ended the program with status 0"
