#!/usr/bin/env bash
# The real program in a real X server with a window manager, driven with real
# key and mouse input (XTEST), as a user would:
#   1. the window opens centred with its outer size and caption, is
#      photographed, and Esc closes it with exit status 0;
#   2. accounts generated and exported through the real save dialog, and the
#      file checked byte for byte;
#   3. the window closed in the middle of a long run: it goes at once, no
#      message follows, and the program ends with status 0;
#   4. Alt+F4 closes it through the window manager, status 0.
# Usage: real_window.sh PROGRAM OUTPUT_FOLDER
set -euo pipefail
program=$1
out=$2
source "$(dirname "$0")/x_server.sh"
start_x_server with-window-manager

# The visible windows of the program whose caption matches a shell pattern.
windows_named() {
    local id
    for id in $(xdotool search --onlyvisible --class account-generator 2>/dev/null); do
        # shellcheck disable=SC2053
        [[ $(xdotool getwindowname "$id" 2>/dev/null) == $1 ]] && echo "$id"
    done
    return 0
}
wait_for_window() {
    local found
    for _ in $(seq 200); do
        found=$(windows_named "$1" | head -n 1)
        [ -n "$found" ] && { echo "$found"; return 0; }
        sleep 0.1
    done
    return 1
}

start_program() {
    "$program" >"$work/stdout" 2>"$work/stderr" &
    app=$!
    pids+=("$app")
    wid=$(wait_for_window "账号生成器*") || fail "no window"
    xdotool windowactivate --sync "$wid" >/dev/null 2>&1 || true
    sleep 0.5
}
# Waits for a message box, checks its title and dismisses it with Enter.
dismiss_message() {
    local box
    box=$(wait_for_window '信息：') || fail "no message box"
    xdotool windowactivate --sync "$box" >/dev/null 2>&1 || true
    sleep 0.2
    xdotool key Return
    for _ in $(seq 100); do [ -z "$(windows_named '信息：')" ] && return 0; sleep 0.05; done
    fail "the message box stayed"
}
click() { xdotool mousemove --window "$wid" "$1" "$2" click 1; sleep 0.2; }
# Waits for the program to end and sets `status` to its exit status.
end_status() {
    status=0
    for _ in $(seq 200); do kill -0 "$app" 2>/dev/null || break; sleep 0.05; done
    wait "$app" || status=$?
}

# 1. Centred, the outer size, the caption; Esc closes it.
start_program
read -r left right top bottom < <(xprop -id "$wid" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
eval "$(xwininfo -id "$wid" | awk '/Absolute upper-left X/ {print "x=" $4} /Absolute upper-left Y/ {print "y=" $4} /Width:/ {print "w=" $2} /Height:/ {print "h=" $2}')"
outer_w=$((w + left + right)) outer_h=$((h + top + bottom))
frame_x=$((x - left)) frame_y=$((y - top))
[ "$outer_w" = 364 ] && [ "$outer_h" = 306 ] || fail "outer size ${outer_w}x${outer_h}"
[ "$frame_x" = $(((1280 - 364) / 2)) ] && [ "$frame_y" = $(((800 - 306) / 2)) ] || fail "not centred: $frame_x,$frame_y"
caption=$(xdotool getwindowname "$wid")
case "$caption" in 账号生成器*) ;; *) fail "caption: $caption" ;; esac
fc-list :lang=zh family | grep -q . || fail "no CJK font for the captions"
scrot -u -b -o "$out/window.png" || fail "no screenshot"
xdotool key Escape
end_status
[ "$status" = 0 ] || fail "exit status $status after Esc"
echo "ok 1 - centred ${outer_w}x${outer_h} at $frame_x,$frame_y, screenshot $out/window.png, Esc gives status 0"

# 2. Generate with the initial form, export through the save dialog.
start_program
click 260 184            # 生成账号
dismiss_message          # 账号生成完毕！
click 260 224            # 导出数据
for _ in $(seq 100); do
    active=$(xdotool getactivewindow 2>/dev/null || true)
    [ -n "$active" ] && [ "$active" != "$wid" ] && break
    sleep 0.1
done
[ "$active" != "$wid" ] || fail "no save dialog"
sleep 0.5
xdotool type --delay 30 "exported.txt"
xdotool key Return
dismiss_message          # 数据导出成功！
xdotool windowactivate --sync "$wid" >/dev/null 2>&1 || true
xdotool key Escape
end_status
[ "$status" = 0 ] || fail "exit status $status after the export"
file="$HOME/exported.txt"
[ -f "$file" ] || fail "no exported file in $HOME"
size=$(stat -c %s "$file")
[ "$size" = 1300 ] || fail "exported $size bytes"
# 100 lines, each three characters of the generated block and five digits.
LC_ALL=C grep -c -P '^[\xB0-\xDA]{6}[0-9]{5}\r$' "$file" | grep -qx 100 || fail "lines are not 3 hanzi + 5 digits + CR LF"
echo "ok 2 - generated and exported 100 lines, 1300 bytes"

# 3. Close in the middle of a long run.
start_program
click 256 76             # 编辑框5
xdotool key ctrl+a
xdotool type "2147483647"
click 260 184            # 生成账号
sleep 1.5
kill -0 "$app" 2>/dev/null || fail "the program ended during the run"
xdotool key Escape
gone=no
for _ in $(seq 20); do
    [ -z "$(windows_named '账号生成器*')" ] && { gone=yes; break; }
    sleep 0.05
done
[ "$gone" = yes ] || fail "the window stayed after Esc"
end_status
[ "$status" = 0 ] || fail "exit status $status after closing during a run"
[ -z "$(windows_named '信息：')" ] || fail "a message followed the close"
grep -q -i "error\|sanitizer" "$work/stderr" && fail "stderr: $(cat "$work/stderr")"
echo "ok 3 - closed during a run: window gone at once, no message, status 0"

# 4. Alt+F4, through the window manager, closes it like Esc.
start_program
xdotool key alt+F4
end_status
[ "$status" = 0 ] || fail "exit status $status after Alt+F4"
echo "ok 4 - Alt+F4 closes the window, status 0"
echo "4 passed, 0 failed"
