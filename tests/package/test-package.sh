#!/usr/bin/env bash
# The Debian package end to end: scripts/package builds it from a Release tree
# of its own; then its contents list (dpkg-deb -c), its control fields, lintian
# (no errors), appstreamcli validate and desktop-file-validate; then the
# programs run from the unpacked package, which is not where they were
# configured to live; and `cmake --install --prefix` and DESTDIR installs of
# the package's tree write nothing outside their root.
#
# Usage: test-package.sh SOURCE_DIR WORK_DIR VERSION APP_ID
# WORK_DIR receives the package's build tree (WORK_DIR/build) and scratch files.
set -uo pipefail

SOURCE_DIR=$1 WORK=$2 VERSION=$3 APP_ID=$4
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
ok() { echo "ok: $*"; }

for tool in dpkg-deb dpkg-shlibdeps cpack lintian appstreamcli desktop-file-validate; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is missing (scripts/test installs it)"
    exit 77
  fi
done

# The package's tree and the package, built as scripts/package builds them.
mkdir -p "$WORK"
rm -rf "$WORK/out" "$WORK/root" "$WORK/home" "$WORK/prefix" "$WORK/destdir"
echo "== scripts/package"
if ! PACKAGE_BUILD_DIR="$WORK/build" "$SOURCE_DIR/scripts/package" --output "$WORK/out" > "$WORK/package.log" 2>&1; then
  tail -50 "$WORK/package.log"
  echo "FAIL: scripts/package failed (log: $WORK/package.log)"
  exit 1
fi
deb=$(tail -1 "$WORK/package.log")
arch=$(dpkg --print-architecture)
[ "$deb" = "$WORK/out/mousecfg_${VERSION}_${arch}.deb" ] && [ -f "$deb" ] ||
  { echo "FAIL: scripts/package did not write mousecfg_${VERSION}_${arch}.deb (last line: $deb)"; exit 1; }
ok "scripts/package wrote $(basename "$deb")"

# -- The contents list.
echo "== dpkg-deb -c"
dpkg-deb -c "$deb" > "$WORK/contents.txt"
names=$(awk '{ print $6 }' "$WORK/contents.txt" | sed 's|^\./|/|; s|/$||')
expect=(
  /usr/bin/mousecfg /usr/bin/mousecfg-cli /usr/bin/mousecfg-osd
  /usr/share/mousecfg/DefaultProfile.bin /usr/share/mousecfg/Configs/Config.ini
  /usr/share/mousecfg/skin/cfgMainback.png /usr/share/mousecfg/skin/icon.png
  /usr/share/mousecfg/lang/mousecfg_en.qm /usr/share/mousecfg/lang/mousecfg_zh_CN.qm
  /usr/share/mousecfg/lang/mousecfg_zh_TW.qm
  /usr/lib/udev/rules.d/70-mousecfg.rules
  "/usr/share/applications/$APP_ID.desktop" "/usr/share/metainfo/$APP_ID.metainfo.xml"
  /usr/share/icons/hicolor/scalable/apps/mousecfg.svg
  /usr/share/man/man1/mousecfg.1.gz /usr/share/man/man1/mousecfg-cli.1.gz /usr/share/man/man1/mousecfg-osd.1.gz
  /usr/share/doc/mousecfg/copyright /usr/share/doc/mousecfg/changelog.gz
)
for size in 16 22 24 32 48 64 128 256 512; do
  expect+=("/usr/share/icons/hicolor/${size}x${size}/apps/mousecfg.png")
done
missing=0
for f in "${expect[@]}"; do
  grep -qxF "$f" <<<"$names" || { fail "the package lacks $f"; missing=1; }
done
[ $missing = 0 ] && ok "the package holds the ${#expect[@]} files it must"
outside=$(grep -v -e '^/usr$' -e '^/usr/' -e '^$' <<<"$names")
[ -z "$outside" ] && ok "everything is under /usr" || fail "files outside /usr: $outside"
notroot=$(awk '$2 != "root/root"' "$WORK/contents.txt")
[ -z "$notroot" ] && ok "everything belongs to root" || fail "not root/root: $notroot"

# -- Control fields and maintainer scripts.
echo "== control"
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = mousecfg ] && ok "Package: mousecfg" || fail "Package: $(field Package)"
[ "$(field Version)" = "$VERSION" ] && ok "Version: $VERSION" || fail "Version: $(field Version), the project is $VERSION"
depends=$(field Depends)
# Linked (dpkg-shlibdeps), and loaded when first needed (named by hand).
for lib in libqt5widgets5 libqt5core5a libc6 libhidapi-hidraw0 libudev1 libxi6 libxtst6; do
  grep -q "\b$lib\b" <<<"$depends" || fail "Depends lacks $lib: $depends"
done
# A font with the Chinese characters, or the two Chinese languages are boxes.
grep -qF 'fonts-wqy-microhei | fonts-noto-cjk' <<<"$depends" ||
  fail "Depends lacks a CJK font (fonts-wqy-microhei | fonts-noto-cjk): $depends"
ok "Depends: $depends"
mkdir -p "$WORK/control"
dpkg-deb -e "$deb" "$WORK/control"
if [ -x "$WORK/control/postinst" ] && grep -q 'udevadm control --reload-rules' "$WORK/control/postinst" &&
   grep -q '/run/udev' "$WORK/control/postinst"; then
  ok "postinst reloads udev's rules where udev runs"
else
  fail "postinst does not reload udev's rules (guarded by /run/udev)"
fi
sh -n "$WORK/control/postinst" || fail "postinst is not valid sh"
# Run as apt would where udev is not running: must succeed and do nothing.
if [ ! -d /run/udev ]; then
  sh "$WORK/control/postinst" configure && ok "postinst succeeds without udev" || fail "postinst fails without udev"
fi

# -- lintian.
echo "== lintian"
lintian --fail-on error --tag-display-limit 0 --display-info "$deb" > "$WORK/lintian.txt" 2>&1
rc=$?
grep -v 'running with root privileges' "$WORK/lintian.txt"
[ $rc = 0 ] && ok "lintian reports no errors" || fail "lintian reports errors (exit $rc)"

# -- The unpacked files.
dpkg-deb -x "$deb" "$WORK/root"
echo "== appstreamcli validate"
if appstreamcli validate --no-net --pedantic "$WORK/root/usr/share/metainfo/$APP_ID.metainfo.xml"; then
  ok "appstreamcli accepts the metainfo"
else
  fail "appstreamcli rejects the metainfo"
fi
# The metainfo with the desktop entry and icons it names, as the package lays them out.
if appstreamcli validate-tree --no-net "$WORK/root"; then
  ok "appstreamcli accepts the package's tree (metainfo, desktop entry, icons)"
else
  fail "appstreamcli validate-tree rejects the package's tree"
fi
grep -q "<launchable type=\"desktop-id\">$APP_ID.desktop</launchable>" \
  "$WORK/root/usr/share/metainfo/$APP_ID.metainfo.xml" || fail "the metainfo does not launch $APP_ID.desktop"
# The release as the changelog's top entry gives it: version and date (YYYY-MM-DD).
changelog_date=$(zcat "$WORK/root/usr/share/doc/mousecfg/changelog.gz" | sed -n 's/^ -- .*>  //p' | head -1)
release_date=$(date -u -d "$changelog_date" +%Y-%m-%d 2>/dev/null)
if grep -q "<release version=\"$VERSION\" date=\"$release_date\"/>" "$WORK/root/usr/share/metainfo/$APP_ID.metainfo.xml"; then
  ok "the metainfo's release is $VERSION of $release_date"
else
  fail "the metainfo's release is not $VERSION of $release_date: $(grep '<release ' "$WORK/root/usr/share/metainfo/$APP_ID.metainfo.xml")"
fi
zcat "$WORK/root/usr/share/man/man1/mousecfg.1.gz" | grep -q "^\.TH MOUSECFG 1 \"$release_date\" \"mousecfg $VERSION\"" ||
  fail "mousecfg(1) is not dated $release_date, version $VERSION"
desktop="$WORK/root/usr/share/applications/$APP_ID.desktop"
echo "== desktop-file-validate"
desktop-file-validate "$desktop" && ok "desktop-file-validate accepts the desktop entry" ||
  fail "desktop-file-validate rejects the desktop entry"
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
icon=$(sed -n 's/^Icon=//p' "$desktop")
[ -x "$WORK/root/usr/bin/${exec_line%% *}" ] && ok "Exec=$exec_line is in /usr/bin" || fail "Exec=$exec_line: no such program"
[ -f "$WORK/root/usr/share/icons/hicolor/48x48/apps/$icon.png" ] && ok "Icon=$icon is in hicolor" ||
  fail "Icon=$icon: not in hicolor"
zcat "$WORK/root/usr/share/doc/mousecfg/changelog.gz" | head -1 | grep -q "^mousecfg ($VERSION)" &&
  ok "the changelog's top entry is $VERSION" || fail "the changelog's top entry is not $VERSION"
for page in mousecfg mousecfg-cli mousecfg-osd; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z \
             "$WORK/root/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$page(1) has warnings: $warnings"
done
zcat "$WORK/root/usr/share/man/man1/mousecfg-cli.1.gz" | grep -q '^\\fBstatus' &&
  ok "the manual pages are written, mousecfg-cli(1) with its commands" || fail "mousecfg-cli(1) lists no commands"

# -- The programs, run from the unpacked package: they find their data through
# ../share/mousecfg, not the /usr they were configured for, and seed a new
# user's configuration from it.
echo "== programs from the unpacked package"
home=$WORK/home
mkdir -p "$home/runtime"
chmod 700 "$home/runtime"
run() {
  env -u MOUSECFG_DATA_DIR -u MOUSECFG_CONFIG_DIR -u XDG_DATA_HOME -u XDG_CONFIG_HOME \
    HOME="$home" XDG_RUNTIME_DIR="$home/runtime" QT_QPA_PLATFORM=offscreen "$@"
}
out=$(run "$WORK/root/usr/bin/mousecfg-cli" --simulate status 2>&1)
grep -q '^battery=[0-9]* dpi=[0-9]* rate=[0-9]*$' <<<"$out" && ok "mousecfg-cli --simulate status: $out" ||
  fail "mousecfg-cli --simulate status: $out"
[ -f "$home/.local/share/mousecfg/Configs/Config.ini" ] && ok "a new user's configuration is seeded from the package" ||
  fail "no Config.ini in $home/.local/share/mousecfg/Configs"
run "$WORK/root/usr/bin/mousecfg-cli" defaults > /dev/null 2>&1 && ok "mousecfg-cli defaults reads DefaultProfile.bin" ||
  fail "mousecfg-cli defaults fails"
run timeout 5 "$WORK/root/usr/bin/mousecfg" --simulate > "$WORK/window.log" 2>&1
rc=$?
[ $rc = 124 ] && ok "mousecfg --simulate runs (stopped after 5 s)" || { cat "$WORK/window.log"; fail "mousecfg --simulate ended with $rc"; }
# The window starts its notice program detached, in a session of its own: end
# the one that runs from the unpacked package.
for p in /proc/[0-9]*; do
  [ "$(readlink "$p/exe" 2>/dev/null)" = "$WORK/root/usr/bin/mousecfg-osd" ] && kill "${p#/proc/}" 2>/dev/null
done

# -- Installs under another root write nothing outside it: every file that
# cmake --install names as installed or up to date lies under the root.
echo "== cmake --install under another root"
build=$WORK/build
installed() { sed -n 's/^-- \(Installing\|Up-to-date\): //p' "$1"; }
check_root() { # LABEL LOG ROOT
  local files stray
  files=$(installed "$2")
  stray=$(grep -v "^$3/" <<<"$files")
  if [ -z "$files" ]; then
    fail "$1: cmake --install named no file"
  elif [ -n "$stray" ]; then
    fail "$1 wrote outside $3: $stray"
  else
    ok "$1: $(wc -l <<<"$files") files, all under $3"
  fi
  [ -f "$3/usr/lib/udev/rules.d/70-mousecfg.rules" ] || fail "$1: no udev rule in $3/usr/lib/udev/rules.d"
}
cmake --install "$build" --prefix "$WORK/prefix/usr" > "$WORK/install-prefix.log" 2>&1 || fail "cmake --install --prefix failed"
check_root "--prefix" "$WORK/install-prefix.log" "$WORK/prefix"
DESTDIR="$WORK/destdir" cmake --install "$build" > "$WORK/install-destdir.log" 2>&1 || fail "DESTDIR cmake --install failed"
check_root "DESTDIR" "$WORK/install-destdir.log" "$WORK/destdir"
out=$(run "$WORK/prefix/usr/bin/mousecfg-cli" --simulate status 2>&1) && ok "the --prefix install runs: $out" ||
  fail "the --prefix install does not run: $out"

echo
if [ $failures -gt 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "every check passed"
