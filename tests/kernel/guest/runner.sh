# Guest test runner: runs each test in its own shell with a time limit and
# prints one "@@ TEST status name seconds [reason]" line per test; the output
# of a failed test follows as "@@ LOG name line" lines.
# shellcheck shell=sh
. /mousecfg-test/tests.sh

uptime_s() { cut -d' ' -f1 /proc/uptime; }

mkdir -p /tmp/log
repeat=$(cat /mousecfg-test/repeat 2>/dev/null || echo 1)
round=0
while [ $round -lt "$repeat" ]; do
round=$((round + 1))
for t in $TESTS; do
  if [ -f /mousecfg-test/only ] && ! grep -qx "$t" /mousecfg-test/only; then
    continue
  fi
  start=$(uptime_s)
  rm -f /tmp/skip-reason
  timeout -s KILL "${TEST_TIME_LIMIT:-240}" /bin/sh /mousecfg-test/one.sh "$t" > "/tmp/log/$t" 2>&1
  rc=$?
  secs=$(awk -v a="$start" -v b="$(uptime_s)" 'BEGIN { printf "%.2f", b - a }')
  case $rc in
    0) echo "@@ TEST Passed $t $secs"
       [ -f /mousecfg-test/verbose ] && sed "s/^/@@ LOG $t /" "/tmp/log/$t" ;;
    77) echo "@@ TEST Skipped $t $secs skipped: $(head -n 1 /tmp/skip-reason 2>/dev/null)" ;;
    137) echo "@@ TEST Failed $t $secs timed out"
         tail -n 80 "/tmp/log/$t" | sed "s/^/@@ LOG $t /" ;;
    *) echo "@@ TEST Failed $t $secs $(grep -m 1 '^FAIL: ' "/tmp/log/$t" || echo "exit $rc")"
       tail -n 80 "/tmp/log/$t" | sed "s/^/@@ LOG $t /" ;;
  esac
  # Whatever a test left behind, the next one starts from a clean stack.
  /bin/sh /mousecfg-test/one.sh --cleanup > /dev/null 2>&1
done
done
