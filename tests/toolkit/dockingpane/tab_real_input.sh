#!/bin/bash
# Runs a real-input test of the docking panes or tab strips: starts the test executable under
# Wine and answers its requests with xdotool (pointer and keys) and ImageMagick (screenshots of a
# screen rectangle) on the current X display. Arguments: the executable, then its own.
# ORVANE_SHOT_DIR, when set, is where the screenshots go.
set -u
exe=$1
shift
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
export ORVANE_XINPUT_DIR="Z:$dir"
shots=${ORVANE_SHOT_DIR:-}

xdo() { xdotool "$@" >/dev/null 2>&1; }

# Moves the pointer from (x1, y1) to (x2, y2) in n equal steps.
glide() {
    local x1=$1 y1=$2 x2=$3 y2=$4 n=$5 i
    for ((i = 1; i <= n; i++)); do
        xdo mousemove $((x1 + (x2 - x1) * i / n)) $((y1 + (y2 - y1) * i / n))
        sleep 0.05
    done
}

serve() {
    local action a b c d e
    read -r action a b c d e <"$dir/request"
    rm -f "$dir/request"
    case $action in
    click)
        xdo mousemove "$a" "$b"; sleep 0.1; xdo click 1 ;;
    move)
        xdo mousemove "$a" "$b"; sleep 0.1 ;;
    drag)
        xdo mousemove "$a" "$b"; sleep 0.1; xdo mousedown 1; sleep 0.1
        glide "$a" "$b" "$c" "$d" "$e"; sleep 0.1; xdo mouseup 1 ;;
    dragcancel)
        xdo mousemove "$a" "$b"; sleep 0.1; xdo mousedown 1; sleep 0.1
        glide "$a" "$b" "$((a + (c - a) / 3))" "$d" 2; sleep 0.1
        if [ "$e" = escape ]; then xdo key Escape; else xdo click 3; fi
        sleep 0.1; glide "$((a + (c - a) / 3))" "$d" "$c" "$d" 3; xdo mouseup 1 ;;
    hold)
        xdo mousemove "$a" "$b"; sleep 0.1; xdo mousedown 1
        sleep "$(awk "BEGIN { print $c / 1000 }")"; xdo mouseup 1 ;;
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
