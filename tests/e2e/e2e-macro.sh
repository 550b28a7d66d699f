#!/usr/bin/env bash
# Records a macro on the MACRO tab while xdotool types into another window
# (system-wide capture through X RECORD), binds it to a button, writes the
# profile into the simulated mouse, and finds the packed macro in slot 0 and
# the button's macro record. Screenshots of the tab and the gun set dialog.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
command -v xmessage >/dev/null || { echo "SKIP: xmessage is missing"; exit 77; }
CLI=("$BIN/mousecfg-cli" --config-dir "$CONF")

# A macro to record into, so the page opens on it.
mkdir -p "$CONF"
printf '[Setting]\nCount=0\n' >"$WORK/rec.MSMACRO"
"${CLI[@]}" macro import "$WORK/rec.MSMACRO" >/dev/null || fail "macro import"

start_mousecfg
click_at 688 50 # MACRO
wait_for 'grep -q . /dev/null; sleep 0.2; true' 1
shot macro-tab

# START, then type into another program's window.
click_at 465 454
xmessage -geometry +0+0 "another program" &
XM=$!
wait_for '[ -n "$(xdotool search --name "^xmessage$" 2>/dev/null | head -n 1)" ]' 50 || fail "xmessage did not appear"
xdotool windowfocus --sync "$(xdotool search --name '^xmessage$' | head -n 1)"
xdotool type --delay 80 "ab"
sleep 0.5
kill "$XM" 2>/dev/null
click_at 465 454 # STOP
shot macro-recorded
grep -q "Count=4" "$CONF/MacroDB/rec.MSMACRO" || fail "the recorded macro has not four events: $(cat "$CONF/MacroDB/rec.MSMACRO")"
events=$("${CLI[@]}" macro show rec | tr -d ' \n')
[[ $events == *'"key":"A"'*'"type":"key-up"'*'"key":"B"'* ]] || fail "unexpected events: $events"
note "recorded: $events"

# The gun set dialog over the page, closed again with Esc.
click_at 350 524
sleep 1
shot macro-gunset
xdotool key Escape
sleep 0.5
stop_mousecfg

# Bind, write, and read the simulated mouse.
"${CLI[@]}" button 3 macro rec --count 2 || fail "button 3 macro rec"
"${CLI[@]}" --simulate write >"$WORK/write.log" 2>&1 || fail "write: $(cat "$WORK/write.log")"
show=$("${CLI[@]}" --simulate sim-show)
slot0=$(echo "$show" | python3 -c 'import json,sys; d=json.load(sys.stdin); print(" | ".join(d["macroSlots"][0].get("events", [])))')
note "slot 0: $slot0"
[[ ${slot0,,} == 840400*040400*840500*040500* ]] || fail "slot 0 does not hold the packed macro: $slot0"
button=$(echo "$show" | python3 -c '
import json,sys
d=json.load(sys.stdin)
print(" ".join(b["action"] + "=" + b["bytes"] for b in d["profiles"][0]["buttons"]))')
[[ ${button,,} == *macro* ]] || fail "no button runs a macro: $button"
note "buttons: $button"
echo "PASS"
