# The guest tests. Each test_NAME runs in a shell of its own (one.sh): exit 0
# passes, fail() fails with a message, skip() reports a missing piece.
# shellcheck shell=sh

TESTS="
usb_enumeration
"

APP_DIR=/opt/mousecfg
CLI=$APP_DIR/mousecfg-cli
GADGET=$APP_DIR/mousecfg-gadget

fail() {
  echo "FAIL: $*"
  exit 1
}

skip() {
  echo "$*" > /tmp/skip-reason
  echo "SKIP: $*"
  exit 77
}

# expect_match TEXT REGEX WHAT
expect_match() {
  echo "$1" | grep -Eq "$2" || fail "$3: expected /$2/ in: $1"
}

cleanup_between_tests() {
  gadget_unbind receiver
  gadget_unbind cable
}

# ------------------------------------------------------------------- tests

# The stack below the program: both gadgets enumerate through usbhid into two
# hidraw nodes each, interface 0 the mouse and interface 2 the vendor
# collection, with the model's IDs and each connection's release number; and
# unbinding removes them again.
test_usb_enumeration() {
  gadget_bind receiver || fail "receiver did not enumerate"
  gadget_bind cable || fail "cable did not enumerate"
  for g in receiver cable; do
    nodes=$(gadget_hidraw_nodes "$g")
    echo "$g: $(echo "$nodes" | tr '\n' ' ')"
    [ "$(echo "$nodes" | awk '{ print $1 }' | sort | tr '\n' ' ')" = "00 02 " ] \
      || fail "$g: interfaces are not 00 and 02: $nodes"
    vendor=$(echo "$nodes" | awk '$1 == "02" { print $2 }')
    sys=/sys/class/hidraw/${vendor#/dev/}/device
    desc=$(od -An -tx1 -v "$sys/report_descriptor" | tr -d ' \n')
    case "$desc" in
      0600ff0a00ff*) ;;
      *) fail "$g: vendor report descriptor does not start with page/usage 0xFF00: $desc" ;;
    esac
    release=$(cat "$(readlink -f "$sys")/../../bcdDevice")
    [ "$release" = "$(gadget_release "$g")" ] || fail "$g: bcdDevice $release"
    [ -c "$vendor" ] || fail "$g: $vendor is not a character device"
  done
  gadget_unbind cable || fail "cable nodes stayed after unbinding"
  gadget_hidraw_nodes receiver | grep -q '^02 ' || fail "receiver went with the cable"
  gadget_unbind receiver || fail "receiver nodes stayed after unbinding"
}
