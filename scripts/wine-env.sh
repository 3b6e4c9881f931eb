# Sourced by the run, test and bench scripts: a private Wine prefix in the build tree, a virtual
# display when none is attached, one persistent wineserver, and an ALSA null device for sound.
# Call wine_env_start after sourcing; wine_env_stop runs on exit (also on failure or interrupt).

. "$(dirname "${BASH_SOURCE[0]}")/arch.sh"
export WINEPREFIX="$BUILD_DIR/wineprefix"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
# Our Windows Media reader stands in for Wine's incomplete one; it is installed into the prefix.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-wmvcore=n,b;mscoree,mshtml=}"
export HOME="$BUILD_DIR/home"
if [ "$ORVANE_ARCH" = x86_64 ]; then
    # Debian's launcher picks the 32-bit loader whenever wine32 is installed, and so do wineboot
    # and winepath through it: put launchers that always take the 64-bit one first in PATH.
    mkdir -p "$BUILD_DIR/winebin"
    for _w in wine wine-stable; do
        printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$BUILD_DIR/winebin/$_w"
        chmod +x "$BUILD_DIR/winebin/$_w"
    done
    export PATH="$BUILD_DIR/winebin:$PATH"
    export WINELOADER=/usr/lib/wine/wine64
fi

_wine_xvfb_pid=""
_wine_own_display=""

wine_env_stop() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -n "$_wine_xvfb_pid" ]; then
        kill "$_wine_xvfb_pid" 2>/dev/null || true
        wait "$_wine_xvfb_pid" 2>/dev/null || true
        _wine_xvfb_pid=""
    fi
}

_wine_start_xvfb() {
    local n
    for n in $(seq 90 140); do
        [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        _wine_xvfb_pid=$!
        for _ in $(seq 1 50); do
            [ -e "/tmp/.X11-unix/X$n" ] && break
            sleep 0.1
        done
        if kill -0 "$_wine_xvfb_pid" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then
            export DISPLAY=":$n"
            _wine_own_display=1
            return 0
        fi
        _wine_xvfb_pid=""
    done
    echo "wine-env: could not start Xvfb" >&2
    return 1
}

wine_env_start() {
    mkdir -p "$HOME"
    # Default PCM is a null sink: DirectSound plays in real time without a sound card.
    cat > "$HOME/.asoundrc" <<'ASOUND'
pcm.!default { type null }
ctl.!default { type hw card 0 }
ASOUND
    if [ -z "${DISPLAY:-}" ] || [ "${ORVANE_XVFB:-}" = 1 ]; then
        _wine_start_xvfb
    fi
    trap wine_env_stop EXIT
    trap 'exit 130' INT TERM
    # The display must be set before the server starts, or the desktop process has none.
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "wine-env: creating the Wine prefix (once)"
        local log="$BUILD_DIR/wineboot.log"
        mkdir -p "$BUILD_DIR"
        # Its exit code is no guide: a 64-bit-only run fails on the prefix's 32-bit side and
        # still leaves a working prefix.
        wineboot -i >"$log" 2>&1 || true
        # No window manager runs on Xvfb: let Wine draw captions and frames itself.
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
        wineserver -w || true
        # The server writes the registry out when it ends.
        if [ ! -f "$WINEPREFIX/system.reg" ]; then
            echo "wine-env: Wine could not create its prefix; it said:" >&2
            cat "$log" >&2
            return 1
        fi
    fi
    # Debian's Wine does not find its own Marlett font, which draws the caption buttons.
    if [ -f /usr/share/wine/fonts/marlett.ttf ] && [ ! -f "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf" ]; then
        cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    fi
    wineserver -p
    # Start Wine's services now, away from any pipe: a process started later (by ctest) would
    # otherwise hand its output pipe to them, and ctest would wait for it forever.
    wine cmd /c exit >/dev/null 2>&1 </dev/null || true
    wine_install_standins
    wine_hold_desktop
}

# Wine closes its desktop a second after the last process leaves it, and the next process that
# needs one starts it again, handing its own standard error to the new desktop process: under
# ctest that is a test's output pipe, so the test ends but its pipe stays open until every
# process has left the desktop, and ctest times the test out. A process started here, away from
# any pipe, starts the desktop and stays on it until the server ends.
wine_hold_desktop() {
    local keeper="$BUILD_DIR/bin/wine/desktop_keeper.exe" ready="$BUILD_DIR/desktop-ready"
    # It names the desktop's process once the keeper is on it (the tests check it is the same).
    rm -f "$ready"
    if [ ! -f "$keeper" ]; then
        echo "wine-env: $keeper is not built; tests may wait on the desktop's output pipe" >&2
        return 0
    fi
    wine "$keeper" "Z:$(printf '%s' "$ready" | tr / '\\')" </dev/null >/dev/null 2>&1 &
    local pid=$! i
    for i in $(seq 1 1200); do
        [ -s "$ready" ] && return 0
        if ! kill -0 "$pid" 2>/dev/null; then
            break
        fi
        sleep 0.1
    done
    echo "wine-env: the desktop keeper did not start;" \
         "tests may wait on the desktop's output pipe" >&2
    return 0
}

# The stand-in reader replaces the prefix's placeholder of wmvcore.dll, and the stand-in video
# decoder takes the class of the system's WMV decoder DMO (on the side of the build's
# architecture: syswow64 holds the 32-bit DLLs of a 64-bit prefix, Wow6432Node their classes).
wine_install_standins() {
    local dll="$BUILD_DIR/bin/wine/wmvcore.dll" sysdir="$WINEPREFIX/drive_c/windows/system32"
    local winsys='C:\windows\system32' view=''
    if [ "$ORVANE_ARCH" = i686 ] && [ -d "$WINEPREFIX/drive_c/windows/syswow64" ]; then
        sysdir="$WINEPREFIX/drive_c/windows/syswow64"
        winsys='C:\windows\syswow64' view=wow6432node
    fi
    if [ -f "$dll" ] && ! cmp -s "$dll" "$sysdir/wmvcore.dll"; then
        cp "$dll" "$sysdir/wmvcore.dll"
    fi
    local dmo="$BUILD_DIR/bin/wine/wmvdecdmo.dll"
    [ -f "$dmo" ] || return 0
    if ! cmp -s "$dmo" "$sysdir/wmvdecdmo.dll" || ! _wine_dmo_registered "$view"; then
        cp "$dmo" "$sysdir/wmvdecdmo.dll"
        if ! wine "$winsys\\regsvr32.exe" /s "$winsys\\wmvdecdmo.dll" >/dev/null 2>&1 </dev/null; then
            echo "wine-env: could not register the video decoder stand-in" >&2
            return 0
        fi
    fi
}

# Whether the prefix's registry (as last saved) has the WMV decoder class served by the
# stand-in; updating the prefix (wineboot -u) gives the class back to Wine's own decoder.
_wine_dmo_registered() {
    [ -f "$WINEPREFIX/system.reg" ] || return 1
    # Compared without the backslashes, which the file doubles.
    awk -v key="[softwareclasses$1clsid{82d353df-90bd-4382-8bc2-3f6192b76e34}inprocserver32]" '
        { line = tolower($0); gsub(/\\/, "", line) }
        /^\[/ { inside = index(line, key) == 1; next }
        inside && line ~ /^@=.*wmvdecdmo\.dll/ { found = 1; exit }
        END { exit found ? 0 : 1 }' "$WINEPREFIX/system.reg"
}
