#!/usr/bin/env bash
# End-to-end tests through the real Linux USB stack.
#
# Boots Debian's own kernel under qemu (TCG, no KVM needed) with an initramfs
# built here from the host's files: busybox-static, the kernel's USB gadget and
# HID modules, udevd, and our binaries with their shared libraries. Inside the
# guest the mouse is a pair of configfs USB gadgets on dummy_hcd (receiver and
# cable) served by mousecfg-gadget; the guest runner prints one result line per
# test on the serial console, and this script turns them into a ctest-style
# report and the exit code.
#
# Usage: run-kernel-tests.sh --bin-dir DIR --work-dir DIR [--source-dir DIR] [--udev-rule FILE]
#                            [--timeout SECONDS] [--keep] [--verbose] [--only TEST,...] [--repeat N]
# Exit: 0 all tests passed, 1 a test failed or the guest did not finish, 77
# the harness cannot run here (missing qemu/busybox/cpio or kernel) or a guest
# test was skipped (ctest: skipped; a failure under MOUSECFG_REQUIRE_ALL=1).
set -euo pipefail

SELF_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
SOURCE_DIR=$(cd "$SELF_DIR/../.." && pwd)
BIN_DIR=""
WORK_DIR=""
TIMEOUT=600
ONLY=""
KEEP=0
VERBOSE=${MOUSECFG_VM_VERBOSE:-0}
REPEAT=1
UDEV_RULE=""
MEMORY_MIB=${MOUSECFG_VM_MEMORY:-512}

usage() {
  echo "usage: $0 --bin-dir DIR --work-dir DIR [--source-dir DIR] [--udev-rule FILE] [--timeout S] [--only T1,T2] [--keep] [--verbose] [--repeat N]" >&2
  exit 2
}

while [ $# -gt 0 ]; do
  case "$1" in
    --bin-dir) BIN_DIR=$2; shift 2 ;;
    --work-dir) WORK_DIR=$2; shift 2 ;;
    --source-dir) SOURCE_DIR=$2; shift 2 ;;
    --timeout) TIMEOUT=$2; shift 2 ;;
    --only) ONLY=$2; shift 2 ;;
    --keep) KEEP=1; shift ;;
    --verbose) VERBOSE=1; shift ;;
    --repeat) REPEAT=$2; shift 2 ;;
    --udev-rule) UDEV_RULE=$2; shift 2 ;;
    *) usage ;;
  esac
done
[ -n "$BIN_DIR" ] && [ -n "$WORK_DIR" ] || usage
BIN_DIR=$(cd "$BIN_DIR" && pwd)
mkdir -p "$WORK_DIR"
WORK_DIR=$(cd "$WORK_DIR" && pwd)

SKIP=77
T_START=$(date +%s.%N)

log() { echo "kernel-e2e: $*"; }
skip_all() { echo "kernel-e2e: skipped: $*"; exit $SKIP; }
die() { echo "kernel-e2e: error: $*" >&2; exit 1; }

elapsed() { awk -v a="$1" -v b="$(date +%s.%N)" 'BEGIN { printf "%.1f", b - a }'; }

# ---------------------------------------------------------------- host tools
QEMU=$(command -v qemu-system-x86_64 || true)
[ -n "$QEMU" ] || skip_all "qemu-system-x86_64 is not installed (Debian package qemu-system-x86)"
command -v cpio >/dev/null || skip_all "cpio is not installed"
BUSYBOX=""
for candidate in /bin/busybox /usr/bin/busybox; do
  if [ -x "$candidate" ] && ! ldd "$candidate" >/dev/null 2>&1; then
    BUSYBOX=$candidate
    break
  fi
done
[ -n "$BUSYBOX" ] || skip_all "no statically linked busybox (Debian package busybox-static)"

# ---------------------------------------------------- Debian packages, cached
# Packages are fetched with apt-get download and unpacked once per version;
# later runs reuse the unpacked tree and need no network.
CACHE_DIR=$WORK_DIR/cache
mkdir -p "$CACHE_DIR"

# Version apt would install for a package, from the local package lists.
candidate_version() {
  apt-cache policy "$1" 2>/dev/null | awk '/Candidate:/ { print $2; exit }'
}

# fetch_unpack PACKAGE DEST PATTERN...: unpack the named paths of PACKAGE into DEST.
fetch_unpack() {
  local pkg=$1 dest=$2
  shift 2
  local version
  version=$(candidate_version "$pkg")
  if [ -z "$version" ] || [ "$version" = "(none)" ]; then
    # No package lists: reuse whatever was unpacked last.
    local previous
    previous=$(ls -d "$CACHE_DIR/$pkg"_* 2>/dev/null | tail -n 1 || true)
    if [ -n "$previous" ] && [ -f "$previous/.complete" ]; then
      ln -sfn "$previous" "$dest"
      return 0
    fi
    return 1
  fi
  local tree=$CACHE_DIR/${pkg}_${version//:/%}
  if [ ! -f "$tree/.complete" ]; then
    rm -rf "$tree" "$CACHE_DIR/download"
    mkdir -p "$tree" "$CACHE_DIR/download"
    log "fetching $pkg $version"
    (cd "$CACHE_DIR/download" && apt-get download "$pkg=$version" >/dev/null 2>"$CACHE_DIR/download/apt.log") || {
      cat "$CACHE_DIR/download/apt.log" >&2
      rm -rf "$tree"
      return 1
    }
    local deb
    deb=$(ls "$CACHE_DIR"/download/*.deb | head -n 1)
    dpkg-deb --fsys-tarfile "$deb" | tar -x -C "$tree" --wildcards --no-anchored "$@" 2>/dev/null || true
    rm -rf "$CACHE_DIR/download"
    touch "$tree/.complete"
  fi
  ln -sfn "$tree" "$dest"
}

KERNEL_MODULES=(usb-common usbcore udc-core dummy_hcd configfs libcomposite usb_f_hid usb_f_ss_lb hid hid-generic usbhid)

T_FETCH=$(date +%s.%N)
# Fresh containers often come without package lists: fetch them once.
if ! apt-cache show linux-image-amd64 >/dev/null 2>&1 && [ "$(id -u)" -eq 0 ]; then
  log "no package lists; running apt-get update"
  apt-get update -qq >/dev/null 2>&1 || true
fi
# linux-image-amd64 is a metapackage; the image itself is its dependency.
IMAGE_PKG=$(apt-cache depends linux-image-amd64 2>/dev/null | awk '/Depends: linux-image-[0-9]/ { print $2; exit }')
if [ -z "$IMAGE_PKG" ]; then
  IMAGE_PKG=$(ls -d "$CACHE_DIR"/linux-image-[0-9]*_* 2>/dev/null | tail -n 1 | sed 's|.*/||; s|_.*||' || true)
fi
[ -n "$IMAGE_PKG" ] || skip_all "cannot find Debian's kernel package (apt-cache depends linux-image-amd64)"
module_patterns=()
for m in "${KERNEL_MODULES[@]}"; do module_patterns+=("*/$m.ko"); done
fetch_unpack "$IMAGE_PKG" "$WORK_DIR/kernel" '*/vmlinuz-*' "${module_patterns[@]}" \
  || skip_all "cannot fetch $IMAGE_PKG with apt-get download"
fetch_unpack udev "$WORK_DIR/udev" 'bin/udevadm' || skip_all "cannot fetch udev with apt-get download"

VMLINUZ=$(ls "$WORK_DIR"/kernel/boot/vmlinuz-* 2>/dev/null | head -n 1)
[ -n "$VMLINUZ" ] || die "no vmlinuz in $IMAGE_PKG"
UDEVADM=$WORK_DIR/udev/bin/udevadm
[ -x "$UDEVADM" ] || die "no udevadm in the udev package"
log "kernel $(basename "$VMLINUZ"), packages ready in $(elapsed "$T_FETCH") s"

# ------------------------------------------------------------- the initramfs
T_INITRD=$(date +%s.%N)
STAGE=$WORK_DIR/initramfs
rm -rf "$STAGE"
mkdir -p "$STAGE"/{bin,sbin,dev,proc,sys,tmp,run,etc/udev/rules.d,lib/modules,opt/mousecfg,mousecfg-test}
chmod 1777 "$STAGE/tmp"

cp "$BUSYBOX" "$STAGE/bin/busybox"
for applet in $("$BUSYBOX" --list); do
  [ -e "$STAGE/bin/$applet" ] || ln -s busybox "$STAGE/bin/$applet"
done

for m in "${KERNEL_MODULES[@]}"; do
  ko=$(find "$WORK_DIR/kernel/" -name "$m.ko" | head -n 1)
  [ -n "$ko" ] || die "module $m.ko missing from $IMAGE_PKG"
  cp "$ko" "$STAGE/lib/modules/"
done
printf '%s\n' "${KERNEL_MODULES[@]}" > "$STAGE/lib/modules/load-order"

# copy_with_libs FILE DEST: copy an executable and every shared library ldd
# resolves for it (sanitizer runtimes included) to the same paths in the guest.
copy_with_libs() {
  local file=$1 dest=$2
  mkdir -p "$(dirname "$STAGE$dest")"
  cp -L "$file" "$STAGE$dest"
  local missing
  missing=$(ldd "$file" 2>/dev/null | awk '/not found/ { print $1 }' | tr '\n' ' ')
  [ -z "$missing" ] || die "$(basename "$file") needs libraries this host lacks: $missing"
  local lib
  while read -r lib; do
    [ -n "$lib" ] || continue
    if [ ! -e "$STAGE$lib" ]; then
      mkdir -p "$(dirname "$STAGE$lib")"
      cp -L "$lib" "$STAGE$lib"
    fi
  done < <(ldd "$file" 2>/dev/null | awk '/=> \// { print $3 } /^\t\/[^ ]+ \(/ { print $1 }')
}

copy_with_libs "$UDEVADM" /bin/udevadm
mkdir -p "$STAGE/lib/systemd"
ln -s /bin/udevadm "$STAGE/lib/systemd/systemd-udevd"

# Our programs. Missing ones are left out; the guest tests that need them
# report themselves skipped.
for prog in mousecfg-cli mousecfg-gadget; do
  if [ -x "$BIN_DIR/$prog" ]; then
    copy_with_libs "$BIN_DIR/$prog" "/opt/mousecfg/$prog"
    # The libraries it loads when first used (hidapi, libudev: LazyLibrary.h)
    # are named in it by their sonames.
    for soname in $(strings -a "$BIN_DIR/$prog" | grep -E '^lib[A-Za-z0-9_+.-]+\.so\.[0-9]+$' | sort -u); do
      path=$("$(command -v ldconfig || echo /sbin/ldconfig)" -p | awk -v n="$soname" '$1 == n && /x86-64/ && !found { print $NF; found = 1 }')
      [ -n "$path" ] || die "$prog loads $soname, which this host lacks"
      [ -e "$STAGE$path" ] || copy_with_libs "$path" "$path"
    done
    # Debug information only makes the initramfs bigger and slower to unpack.
    strip --strip-debug "$STAGE/opt/mousecfg/$prog" 2>/dev/null || true
  else
    log "note: $BIN_DIR/$prog not built"
  fi
done
[ -f "$BIN_DIR/DefaultProfile.bin" ] && cp "$BIN_DIR/DefaultProfile.bin" "$STAGE/opt/mousecfg/"
# Laid out as installed: the shipped Configs beside the program, read-only to
# users, who get their own copy on first start.
[ -d "$BIN_DIR/Configs" ] && cp -r "$BIN_DIR/Configs" "$STAGE/opt/mousecfg/Configs"
# The udev rule as the build made it from the model's IDs; the permission
# test installs it in the guest.
[ -n "$UDEV_RULE" ] || UDEV_RULE=$SOURCE_DIR/packaging/70-mousecfg.rules
if [ -f "$UDEV_RULE" ]; then
  cp "$UDEV_RULE" "$STAGE/mousecfg-test/70-mousecfg.rules"
else
  log "note: no udev rule at $UDEV_RULE; the permission test hands the nodes over by hand"
fi

# The model's USB identity, taken from the one place the program takes it from.
MODEL_HEADER=$SOURCE_DIR/src/storage/ShippedModel.h
[ -f "$MODEL_HEADER" ] || die "$MODEL_HEADER is missing"
model_const() {
  sed -n -e "s/.*[[:space:]]$1[[:space:]]*=[[:space:]]*\\([0-9a-fA-Fx]*\\);.*/\\1/p" \
         -e "s/.*[[:space:]]$1\\[\\][[:space:]]*=[[:space:]]*\"\\([^\"]*\\)\";.*/\\1/p" "$MODEL_HEADER" | head -n 1
}
hex4() { printf '%04x' "$(( $1 ))"; }
{
  echo "MODEL_VID=$(hex4 "$(model_const kShippedVendorId)")"
  echo "MODEL_RECEIVER_PID=$(hex4 "$(model_const kShippedReceiverPid)")"
  echo "MODEL_CABLE_PID=$(hex4 "$(model_const kShippedCablePid)")"
  echo "MODEL_NAME=$(model_const kShippedProductName)"
  # Distinct release numbers, so a test can tell which connection it saw.
  echo "GADGET_RECEIVER_RELEASE=0105"
  echo "GADGET_CABLE_RELEASE=0203"
} > "$STAGE/mousecfg-test/model.env"
grep -q '^MODEL_NAME=.' "$STAGE/mousecfg-test/model.env" || die "cannot read the model from $MODEL_HEADER"

# A syntax error in a guest script would only show as a guest without results.
for script in "$SELF_DIR/guest/init" "$SELF_DIR"/guest/*.sh; do
  "$BUSYBOX" sh -n "$script" || die "syntax error in $script"
done
cp "$SELF_DIR/guest/init" "$STAGE/init"
chmod 755 "$STAGE/init"
cp "$SELF_DIR"/guest/*.sh "$STAGE/mousecfg-test/"
[ -n "$ONLY" ] && echo "$ONLY" | tr ',' '\n' > "$STAGE/mousecfg-test/only"
[ "$VERBOSE" = 1 ] && touch "$STAGE/mousecfg-test/verbose"
echo "$REPEAT" > "$STAGE/mousecfg-test/repeat"

cat > "$STAGE/etc/passwd" <<'EOF'
root:x:0:0:root:/root:/bin/sh
mouser:x:1000:1000:unprivileged test user:/home/mouser:/bin/sh
EOF
cat > "$STAGE/etc/group" <<'EOF'
root:x:0:
mouser:x:1000:
EOF
mkdir -p "$STAGE/root" "$STAGE/home/mouser"

INITRD=$WORK_DIR/initramfs.cpio
(cd "$STAGE" && find . -print0 | cpio --null -o -H newc --owner=0:0 --quiet) > "$INITRD"
[ "$KEEP" = 1 ] || rm -rf "$STAGE"
log "initramfs $(( $(stat -c %s "$INITRD") / 1048576 )) MiB built in $(elapsed "$T_INITRD") s"

# ------------------------------------------------------------------- boot it
CONSOLE=$WORK_DIR/console.log
rm -f "$CONSOLE"
T_BOOT=$(date +%s.%N)
set +e
timeout --kill-after=10 "$TIMEOUT" "$QEMU" \
  -accel tcg -cpu max -smp 1 -m "$MEMORY_MIB" \
  -nodefaults -display none -no-reboot \
  -serial "file:$CONSOLE" \
  -kernel "$VMLINUZ" -initrd "$INITRD" \
  -append "console=ttyS0 panic=-1 oops=panic loglevel=4 rdinit=/init mitigations=off" \
  </dev/null >"$WORK_DIR/qemu.log" 2>&1
qemu_rc=$?
set -e
GUEST_WALL=$(elapsed "$T_BOOT")
[ "$KEEP" = 1 ] || rm -f "$INITRD"

if [ $qemu_rc -eq 124 ] || [ $qemu_rc -eq 137 ]; then
  echo "kernel-e2e: the guest did not finish within $TIMEOUT s; console follows" >&2
fi
if [ $qemu_rc -ne 0 ] && [ $qemu_rc -ne 124 ] && [ $qemu_rc -ne 137 ]; then
  cat "$WORK_DIR/qemu.log" >&2
fi

# --------------------------------------------------------- parse the results
# The guest prints:
#   @@ BOOT <seconds since kernel start when /init ran> <seconds when ready>
#   @@ TEST <Passed|Failed|Skipped> <name> <seconds> [reason]
#   @@ LOG <name> <line>          (output of a failed test)
#   @@ DONE
print_report() {
  awk -v console="$CONSOLE" '
    { sub(/\r$/, "") }
    /^@@ BOOT / { initAt = $3; readyAt = $4; next }
    /^@@ TEST / {
      n++; status[n] = $3; name[n] = $4; secs[n] = $5
      reason = ""
      for (i = 6; i <= NF; i++) reason = reason (i > 6 ? " " : "") $i
      why[n] = reason
      next
    }
    /^@@ LOG / { logs = logs "    " substr($0, 8) "\n"; next }
    /^@@ DONE/ { done = 1 }
    END {
      failed = 0; skipped = 0
      for (i = 1; i <= n; i++) {
        dots = sprintf("%s ", name[i]); while (length(dots) < 50) dots = dots "."
        if (status[i] == "Passed") word = "  Passed"
        else if (status[i] == "Skipped") { word = "***Skipped"; skipped++ }
        else { word = "***Failed"; failed++ }
        line = sprintf("%2d/%d Test #%d: %s %s %6.2f sec", i, n, i, dots, word, secs[i])
        if (why[i] != "") line = line "  (" why[i] ")"
        print line
      }
      if (logs != "") { print ""; print "Test output:"; printf "%s", logs }
      print ""
      if (n == 0) { print "no test results came back from the guest"; exit 1 }
      passed = n - failed - skipped
      printf "%d%% tests passed, %d tests failed out of %d (%d skipped)\n", (n - failed) * 100 / n, failed, n, skipped
      if (initAt != "") printf "guest: kernel to /init %.2f s, ready for tests at %.2f s\n", initAt, readyAt
      if (!done) { print "the guest did not reach the end of its test run"; exit 1 }
      exit failed > 0 ? 1 : skipped > 0 ? 77 : 0
    }' "$CONSOLE"
}

if [ ! -s "$CONSOLE" ]; then
  cat "$WORK_DIR/qemu.log" >&2
  die "no console output from the guest"
fi

set +e
report=$(print_report)
report_rc=$?
set -e
if { [ $report_rc -ne 0 ] && [ $report_rc -ne $SKIP ]; } || [ "$VERBOSE" = 1 ]; then
  echo "----- guest console -----"
  grep -v '^@@ ' "$CONSOLE" | tail -n 200 || true
  echo "-------------------------"
fi
echo "$report"
log "guest wall time $GUEST_WALL s (qemu start to power-off), harness wall time $(elapsed "$T_START") s"
exit $report_rc
