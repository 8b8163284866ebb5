#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a scratch root, checks its files,
# validates the desktop entry and the metainfo, and starts the installed
# program under its own Xvfb until its window appears.
# Usage: package_test.sh BUILD_FOLDER
set -euo pipefail
build=$1
source "$(dirname "$0")/x_server.sh"

(cd "$build" && cpack -G DEB -B "$work/package" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/package/*.deb)
root="$work/root"
dpkg -x "$deb" "$root"
for file in usr/bin/account-generator usr/bin/account-generator-cli \
    usr/share/applications/org.accountgenerator.AccountGenerator.desktop \
    usr/share/metainfo/org.accountgenerator.AccountGenerator.metainfo.xml \
    usr/share/icons/hicolor/scalable/apps/account-generator.svg; do
    [ -e "$root/$file" ] || fail "missing $file"
done
for size in 16 24 32 48; do
    png="$root/usr/share/icons/hicolor/${size}x${size}/apps/account-generator.png"
    file "$png" | grep -q "PNG image data, $size x $size" || fail "icon $size: $(file "$png")"
done
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 qt6-qpa-plugins fonts-wqy-microhei; do
    grep -q "$needed" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
desktop-file-validate "$root/usr/share/applications/org.accountgenerator.AccountGenerator.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.accountgenerator.AccountGenerator.metainfo.xml" >"$work/as.log" 2>&1 ||
    { cat "$work/as.log"; fail "metainfo"; }
"$root/usr/bin/account-generator-cli" --count 3 --seed 1 | LC_ALL=C grep -c $'\r$' | grep -qx 3 || fail "the installed cli"

start_x_server
"$root/usr/bin/account-generator" 2>"$work/stderr" &
app=$!
pids+=("$app")
shown=no
for _ in $(seq 200); do
    if [ -n "$(xdotool search --onlyvisible --class account-generator 2>/dev/null)" ]; then shown=yes; break; fi
    sleep 0.1
done
[ "$shown" = yes ] || fail "the installed program showed no window: $(cat "$work/stderr")"
xdotool key Escape
status=0
wait "$app" || status=$?
[ "$status" = 0 ] || fail "exit status $status"
echo "ok - package $(basename "$deb"): files, desktop entry, metainfo, window, exit status 0"
echo "1 passed, 0 failed"
