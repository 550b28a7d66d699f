# Guest helpers: the mouse as two configfs USB gadgets on dummy_hcd.
#
# Each gadget is one USB device of the shipped model: interface 0 a boot mouse
# (usage page 1, usage 2), interface 1 a SourceSink function that no host
# driver claims (it only pushes the vendor function to number 2, as on the
# real receiver), interface 2 the vendor collection (usage page 0xFF00, usage
# 0xFF00, unnumbered 32-byte input and output reports).
# shellcheck shell=sh

CFG=/sys/kernel/config/usb_gadget
. /mousecfg-test/model.env

# Five buttons, X, Y, wheel: the classic 4-byte boot mouse report.
MOUSE_REPORT_DESC=05010902a1010901a1000509190129051500250195057501810295017503810105010930093109381581257f750895038106c0c0
# Vendor page 0xFF00, usage 0xFF00; 32-byte input (usage 1) and output (usage 2).
VENDOR_REPORT_DESC=0600ff0a00ffa1010901150026ff007508952081020902750895209102c0

gadget_udc() {
  case "$1" in
    receiver) echo dummy_udc.0 ;;
    cable) echo dummy_udc.1 ;;
  esac
}

gadget_pid() {
  case "$1" in
    receiver) echo "$MODEL_RECEIVER_PID" ;;
    cable) echo "$MODEL_CABLE_PID" ;;
  esac
}

gadget_release() {
  case "$1" in
    receiver) echo "$GADGET_RECEIVER_RELEASE" ;;
    cable) echo "$GADGET_CABLE_RELEASE" ;;
  esac
}

hid_function() {
  # hid_function GADGETDIR NAME PROTOCOL SUBCLASS LENGTH HEXDESC
  f=$1/functions/hid.$2
  mkdir "$f"
  echo "$3" > "$f/protocol"
  echo "$4" > "$f/subclass"
  echo "$5" > "$f/report_length"
  echo "$6" | xxd -r -p > "$f/report_desc"
}

# gadget_create receiver|cable: the configfs tree, not yet bound.
gadget_create() {
  g=$CFG/$1
  [ -d "$g" ] && return 0
  mkdir "$g"
  echo "0x$MODEL_VID" > "$g/idVendor"
  echo "0x$(gadget_pid "$1")" > "$g/idProduct"
  echo "0x$(gadget_release "$1")" > "$g/bcdDevice"
  echo 0x0200 > "$g/bcdUSB"
  mkdir "$g/strings/0x409"
  echo "Test mouse maker" > "$g/strings/0x409/manufacturer"
  echo "$MODEL_NAME $1" > "$g/strings/0x409/product"
  echo "$1-0001" > "$g/strings/0x409/serialnumber"
  mkdir "$g/configs/c.1"
  echo 100 > "$g/configs/c.1/MaxPower"
  hid_function "$g" mouse 2 1 4 "$MOUSE_REPORT_DESC"
  mkdir "$g/functions/SourceSink.filler"
  hid_function "$g" vendor 0 0 32 "$VENDOR_REPORT_DESC"
  ln -s "$g/functions/hid.mouse" "$g/configs/c.1/"
  ln -s "$g/functions/SourceSink.filler" "$g/configs/c.1/"
  ln -s "$g/functions/hid.vendor" "$g/configs/c.1/"
}

# /dev node of a gadget's HID function: gadget_hidg receiver vendor
gadget_hidg() {
  want=$(cat "$CFG/$1/functions/hid.$2/dev")
  for d in /sys/class/hidg/*; do
    if [ "$(cat "$d/dev" 2>/dev/null)" = "$want" ]; then
      echo "/dev/${d##*/}"
      return 0
    fi
  done
  return 1
}

gadget_bound() {
  [ -n "$(cat "$CFG/$1/UDC" 2>/dev/null)" ]
}

# hidraw nodes of one gadget, "INTERFACE PATH" per line.
gadget_hidraw_nodes() {
  pid=$(gadget_pid "$1")
  for h in /sys/class/hidraw/hidraw*; do
    [ -e "$h" ] || continue
    dev=$(readlink -f "$h/device")
    intf=${dev%/*}
    usb=${intf%/*}
    [ "$(cat "$usb/idVendor" 2>/dev/null)" = "$MODEL_VID" ] || continue
    [ "$(cat "$usb/idProduct" 2>/dev/null)" = "$pid" ] || continue
    echo "$(cat "$intf/bInterfaceNumber") /dev/${h##*/}"
  done
}

# Wait until predicate "$@" holds, for at most $WAIT_LIMIT tenths of a second.
wait_for() {
  n=0
  while ! "$@"; do
    n=$((n + 1))
    [ $n -gt "${WAIT_LIMIT:-100}" ] && return 1
    usleep 100000
  done
  return 0
}

hidraw_count_is() {
  [ "$(gadget_hidraw_nodes "$1" | wc -l)" -eq "$2" ]
}

# gadget_bind receiver|cable: attach to its dummy UDC and wait until the host
# side has both hidraw nodes and udev has handled them.
gadget_bind() {
  gadget_create "$1"
  gadget_bound "$1" && return 0
  gadget_udc "$1" > "$CFG/$1/UDC"
  wait_for hidraw_count_is "$1" 2 || { echo "gadget $1: hidraw nodes did not appear"; return 1; }
  udevadm settle --timeout=10 2>/dev/null || true
}

gadget_unbind() {
  gadget_bound "$1" || return 0
  echo "" > "$CFG/$1/UDC"
  wait_for hidraw_count_is "$1" 0 || { echo "gadget $1: hidraw nodes did not go"; return 1; }
  udevadm settle --timeout=10 2>/dev/null || true
}

# ------------------------------------------------ the mouse behind the gadgets

MOUSE_DIR=/tmp/mouse
MOUSE_STATE=$MOUSE_DIR/simulated-mouse.ini

# /dev/hidgN of a gadget's vendor function, known before the gadget is bound.
gadget_vendor_node() {
  echo "/dev/hidg$(cut -d: -f2 "$CFG/$1/functions/hid.vendor/dev")"
}

# /dev/hidgN of a gadget's mouse function (its motion reports).
gadget_mouse_node() {
  echo "/dev/hidg$(cut -d: -f2 "$CFG/$1/functions/hid.mouse/dev")"
}

# start_mouse: mousecfg-gadget serving the vendor functions of both gadgets
# (bound or not), a mouse in its factory state with its memory in $MOUSE_STATE.
start_mouse() {
  [ -x "$GADGET" ] || skip "mousecfg-gadget was not built"
  gadget_create receiver
  gadget_create cable
  mkdir -p "$MOUSE_DIR"
  rm -f "$MOUSE_DIR/ready" "$MOUSE_STATE"
  "$GADGET" --state "$MOUSE_STATE" --control "$MOUSE_DIR/control" --ready "$MOUSE_DIR/ready" \
    --port "receiver:$(gadget_vendor_node receiver):$CFG/receiver/UDC" \
    --port "cable:$(gadget_vendor_node cable):$CFG/cable/UDC" \
    --motion "receiver:$(gadget_mouse_node receiver)" --motion "cable:$(gadget_mouse_node cable)" \
    2>>"$MOUSE_DIR/gadget.log" &
  MOUSE_PID=$!
  echo $MOUSE_PID >> /tmp/bg-pids
  WAIT_LIMIT=100 wait_for test -e "$MOUSE_DIR/ready" || { cat "$MOUSE_DIR/gadget.log"; return 1; }
}

mouse_ctl() {
  echo "$*" > "$MOUSE_DIR/control"
}

# mouse_dump FILE: what the gadget's firmware model holds, as JSON.
mouse_dump() {
  rm -f "$1"
  mouse_ctl dump "$1"
  WAIT_LIMIT=50 wait_for test -s "$1"
}

stop_mouse() {
  [ -n "$MOUSE_PID" ] || return 0
  mouse_ctl quit
  wait "$MOUSE_PID"
  rc=$?
  MOUSE_PID=
  return $rc
}

vendor_hidraw() {
  gadget_hidraw_nodes "$1" | awk '$1 == "02" { print $2 }'
}
