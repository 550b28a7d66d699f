# The guest tests. Each test_NAME runs in a shell of its own (one.sh): exit 0
# passes, fail() fails with a message, skip() reports a missing piece.
# shellcheck shell=sh

TESTS="
usb_enumeration
raw_report_round_trip
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

# 32-byte reports without IDs both ways: what the host writes to the vendor
# hidraw node (33 bytes, report ID 0 first) arrives at the gadget's hidg node
# as the 32 report bytes, and what the gadget sends comes back from hidraw.
test_raw_report_round_trip() {
  gadget_bind receiver || fail "receiver did not enumerate"
  vendor=$(gadget_hidraw_nodes receiver | awk '$1 == "02" { print $2 }')
  hidg=$(gadget_hidg receiver vendor) || fail "no hidg node for the vendor function"
  i=0; hex=""
  while [ $i -lt 32 ]; do hex="$hex$(printf '%02x' $((i * 7 + 1)))"; i=$((i + 1)); done
  echo "00$hex" | xxd -r -p > /tmp/out.bin
  dd if="$hidg" of=/tmp/gadget-got.bin bs=64 count=1 2>/dev/null &
  reader=$!
  usleep 200000
  dd if=/tmp/out.bin of="$vendor" bs=33 count=1 2>/dev/null || fail "write to $vendor failed"
  WAIT_LIMIT=50 wait_for sh -c "[ -s /tmp/gadget-got.bin ]" || { kill $reader; fail "the gadget read nothing"; }
  wait $reader
  got=$(od -An -tx1 -v /tmp/gadget-got.bin | tr -d ' \n')
  [ "$got" = "$hex" ] || fail "gadget read $got, host wrote $hex"

  echo "$hex" | xxd -r -p > /tmp/in.bin
  timeout 5 dd if="$vendor" of=/tmp/host-got.bin bs=64 count=1 2>/dev/null &
  reader=$!
  usleep 200000
  dd if=/tmp/in.bin of="$hidg" bs=32 count=1 2>/dev/null || fail "write to $hidg failed"
  wait $reader || fail "the host read nothing"
  got=$(od -An -tx1 -v /tmp/host-got.bin | tr -d ' \n')
  [ "$got" = "$hex" ] || fail "host read $got, gadget wrote $hex"
}
