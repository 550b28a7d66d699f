#!/usr/bin/env bash
# Runs one test program for ctest and makes a skip visible: a Qt Test
# "SKIP" line or exit code 77 gives exit 77 (ctest: skipped, not passed).
# With MOUSECFG_REQUIRE_ALL=1 (set by .ci/run) a skip is a failure.
# Usage: run-test.sh PROGRAM [ARGUMENTS...]
set -uo pipefail

out=$(mktemp)
trap 'rm -f "$out"' EXIT

"$@" 2>&1 | tee "$out"
rc=${PIPESTATUS[0]}

skipped=0
if [ "$rc" -eq 77 ]; then
  skipped=1
elif [ "$rc" -ne 0 ]; then
  exit "$rc"
elif grep -q '^SKIP   : ' "$out"; then
  skipped=1
fi
[ "$skipped" = 1 ] || exit 0

if [ "${MOUSECFG_REQUIRE_ALL:-0}" = 1 ]; then
  echo "FAIL: skipped, and MOUSECFG_REQUIRE_ALL=1 requires every test to run"
  exit 1
fi
exit 77
