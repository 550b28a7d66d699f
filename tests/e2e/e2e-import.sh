#!/usr/bin/env bash
# LOAD1 of the real mousecfg --simulate on an X server (run by
# on-new-display.sh), through the file dialog: first a configuration whose
# second slot is named after "Gaming", a library profile no slot uses (the
# window must ask before replacing it; "Keep both" keeps the library's file
# and adds "Gaming (2)"), then a configuration cut short inside [PROFILE_4]
# (the window asks whether to load what it holds; "Yes", then the report of
# what the load adjusted, with its details). Screenshots of the questions and
# the report land in $BUILD_DIR/screenshots.
set -uo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

[ -x "$BIN/mousecfg-cli" ] || fail "no $BIN/mousecfg-cli (build first)"
MODEL=ORVALE8

# The library: "Gaming" alone, a file no slot uses.
mkdir -p "$CONF/$MODEL/Profile"
printf '[PROFILE_LIST]\nCount=1\n1=Gaming\n' >"$CONF/$MODEL/Config.ini"
printf '[PROFILE_0]\npollrate=1\nProfileName=Gaming\n' >"$CONF/$MODEL/Profile/Gaming.prof"
cp "$CONF/$MODEL/Profile/Gaming.prof" "$WORK/Gaming.before"

# The files to load, exported by mousecfg-cli from a folder of their own.
"$BIN/mousecfg-cli" --config-dir "$WORK/other" export-conf "$WORK/base.conf" || fail "export-conf failed"
sed 's/^Profile2=.*/Profile2=Gaming/' "$WORK/base.conf" >"$WORK/gaming.conf"
grep -q '^Profile2=Gaming$' "$WORK/gaming.conf" || fail "gaming.conf names no Gaming"
cut_at=$(grep -b -m1 '^\[PROFILE_4\]' "$WORK/base.conf" | cut -d: -f1)
[ -n "$cut_at" ] || fail "base.conf has no [PROFILE_4]"
head -c $((cut_at + 150000)) "$WORK/base.conf" >"$WORK/cut.conf"

start_mousecfg

# The skin's question and report box ("Warning", 478 × 309 design pixels).
question_box() { xdotool search --onlyvisible --name '^Warning$' 2>/dev/null | head -n 1; }
# Answer N (0 from the left) of a box with COUNT buttons of 110 × 34, 12 apart,
# centred at the bottom (30 from the edge) of a box HEIGHT high.
click_answer() {
  local box=$1 n=$2 count=$3 height=${4:-309}
  local left=$(((478 - count * 110 - (count - 1) * 12) / 2))
  xdotool mousemove --window "$box" $((left + n * 122 + 55)) $((height - 30 - 17)) click 1
  sleep 0.5
}

# LOAD1 (the fourth of the second row of command buttons, 83 × 30 from x 285
# every 88, at y 592) opens the file dialog "Load Config File"; the file's
# path goes into its name field.
load_config() {
  # The on-screen display's notice (at start, after a write) lies over the
  # command buttons while it shows.
  wait_for '[ -z "$(xdotool search --onlyvisible --name "^Wireless Mouse OSD$" 2>/dev/null)" ]' 150 \
    || fail "the on-screen display stayed over the window"
  click_at $((285 + 3 * 88 + 40)) $((592 + 15))
  wait_for '[ -n "$(xdotool search --onlyvisible --name "^Load Config File" 2>/dev/null)" ]' 100 \
    || { shot import-no-dialog; fail "the file dialog did not open"; }
  local dialog
  dialog=$(xdotool search --onlyvisible --name '^Load Config File' | head -n 1)
  sleep 0.5
  # No window manager: the dialog gets the keyboard focus from us. Its file
  # name field has the focus inside it.
  xdotool windowfocus --sync "$dialog"
  xdotool key ctrl+a
  xdotool type --delay 20 "$1"
  xdotool key Return
  wait_for '[ -z "$(xdotool search --onlyvisible --name "^Load Config File" 2>/dev/null)" ]' 50 \
    || fail "the file dialog did not take $1"
}

note "LOAD1 of a configuration naming the library's Gaming"
load_config "$WORK/gaming.conf"
wait_for '[ -n "$(question_box)" ]' 100 || fail "no question before Gaming was replaced"
sleep 0.5
shot import-name-question
click_answer "$(question_box)" 1 3 # "Keep both"
wait_for '[ -z "$(question_box)" ]' 50 || fail "the question stayed open"
wait_for '[ -f "$CONF/$MODEL/Profile/Gaming (2).prof" ]' 100 || fail "no Gaming (2) in the library"
cmp -s "$CONF/$MODEL/Profile/Gaming.prof" "$WORK/Gaming.before" || fail "Gaming.prof was replaced"
grep -q '=Gaming (2)$' "$CONF/$MODEL/Config.ini" || fail "Gaming (2) is not in the library list"
sleep 1

note "LOAD1 of a configuration cut inside [PROFILE_4]"
load_config "$WORK/cut.conf"
wait_for '[ -n "$(question_box)" ]' 100 || fail "an incomplete file was loaded without a question"
sleep 0.5
shot import-incomplete-question
asked=$(question_box)
click_answer "$asked" 0 3 # "Yes" (beside "No" and "Details")
# The report, a box of its own: one line, "Ok" and "Details".
wait_for '[ -n "$(question_box)" ] && [ "$(question_box)" != "$asked" ]' 100 || fail "no report after the load"
sleep 0.5
shot import-report
click_answer "$(question_box)" 1 2 # "Details"
sleep 0.5
shot import-report-details
click_answer "$(question_box)" 0 2 $((309 + 220)) # "Ok", below the details
wait_for '[ -z "$(question_box)" ]' 50 || fail "the report stayed open"
sleep 1
shot import-done

stop_mousecfg
