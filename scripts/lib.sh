# Shared by scripts/test and scripts/demo: build directories, Wine prefixes, the X server.

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=${MELVORIN_BUILD:-$root/build}
export WINEDEBUG=-all WINEARCH=win64
# No Mono or Gecko installer dialogs when a prefix is made.
export WINEDLLOVERRIDES="mscoree,mshtml="

# configure_and_build DIR CMAKE-ARGS...: one build tree below $out; only the targets in
# $build_targets when it is set.
configure_and_build() {
    local dir=$out/$1
    shift
    mkdir -p "$out"
    cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >"$dir.configure.log" 2>&1 ||
        { cat "$dir.configure.log" >&2; return 1; }
    cmake --build "$dir" ${build_targets:+--target $build_targets} >"$dir.build.log" 2>&1 ||
        { tail -60 "$dir.build.log" >&2; return 1; }
}

# use_prefix NAME: selects (and makes once) the Wine prefix $out/wine/NAME with a persistent
# server, so that every Windows process starts in a fraction of a second. Start the X server
# first: the session's desktop process starts here and stays.
use_prefix() {
    export WINEPREFIX=$out/wine/$1
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$WINEPREFIX"
        wineboot -i >/dev/null 2>&1
        # Unmanaged windows: without a window manager, Wine would otherwise wait up to two
        # seconds each time a window is hidden.
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
        wineserver -w
    fi
    wineserver -p
    # The first process of a session starts the session's background processes (services,
    # desktop), which inherit its output handles: started here, they hold /dev/null rather
    # than a pipe of ctest, which would then wait for them to end.
    wine cmd /c exit >/dev/null 2>&1 </dev/null
}

stop_prefix() {
    [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null || true
}

# start_xvfb: a private X server for the windows of the tests and the headless demo.
xvfb_pid=""
start_xvfb() {
    local n=90
    while [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ]; do n=$((n + 1)); done
    Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=:$n
    for _ in $(seq 50); do
        xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "Xvfb did not start" >&2
    return 1
}

stop_xvfb() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
