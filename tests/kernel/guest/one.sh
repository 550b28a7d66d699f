# Runs one guest test (or the clean-up between tests) in a shell of its own.
# shellcheck shell=sh
. /mousecfg-test/gadget.sh
. /mousecfg-test/tests.sh
if [ "$1" = --cleanup ]; then
  cleanup_between_tests
  exit 0
fi
"test_$1"
