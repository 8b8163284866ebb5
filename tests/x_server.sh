# Shared by the scripts that start real windows: a private Xvfb (and, when
# asked, a window manager), a scratch folder, and cleanup of both.
# Source it, then call start_x_server [with-window-manager].
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

start_x_server() {
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    pids+=($!)
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
    [ -s "$work/display" ] || fail "Xvfb did not start"
    export DISPLAY=":$(cat "$work/display")"
    export HOME="$work/home" XDG_RUNTIME_DIR="$work/run"
    mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
    unset QT_QPA_PLATFORM
    if [ "${1:-}" = with-window-manager ]; then
        openbox >"$work/openbox.log" 2>&1 &
        pids+=($!)
        for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break; sleep 0.05; done
        sleep 1  # openbox announces itself a moment before it manages windows
    fi
}
