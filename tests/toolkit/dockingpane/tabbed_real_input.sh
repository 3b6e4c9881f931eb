#!/bin/bash
# Runs the tabbed container's real-input tests: starts the test executable under Wine and
# answers its requests with xdotool (clicks) and ImageMagick (screenshots of a screen
# rectangle) on the current X display. Arguments: the executable, then its own.
# ORVANE_SHOT_DIR, when set, is where the screenshots go.
set -u
exe=$1
shift
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
export ORVANE_XINPUT_DIR="Z:$dir"
shots=${ORVANE_SHOT_DIR:-}

xdo() { xdotool "$@" >/dev/null 2>&1; }

serve() {
    local action a b c d e
    read -r action a b c d e <"$dir/request"
    rm -f "$dir/request"
    case $action in
    click)
        xdo mousemove "$a" "$b"; sleep 0.1; xdo click 1 ;;
    shot)
        if [ -n "$shots" ]; then
            mkdir -p "$shots"
            import -window root -crop "${c}x${d}+${a}+${b}" +repage "$shots/$e" 2>/dev/null
        fi ;;
    esac
    sleep 0.05
    : >"$dir/done"
}

wine "$exe" "$@" &
pid=$!
while kill -0 "$pid" 2>/dev/null; do
    if [ -f "$dir/request" ]; then
        serve
    else
        sleep 0.02
    fi
done
wait "$pid"
