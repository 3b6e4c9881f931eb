#!/usr/bin/env bash
# A process that joins Wine's desktop must not leave its output pipe open in the desktop process
# once it ends: ctest would wait on that pipe until the test's time-out. Run by ctest inside the
# scripts' Wine environment; $1 is desktop_keeper.exe.
set -u
keeper=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkfifo "$dir/out"
wine "$keeper" --touch >"$dir/out" 2>&1 </dev/null &
probe=$!
# The reader sees the end of the pipe only once every process holding it has closed it.
if ! timeout 60 cat "$dir/out" >/dev/null; then
    echo "FAIL: the output pipe of a process that joined the desktop stayed open after it ended"
    kill "$probe" 2>/dev/null
    exit 1
fi
wait "$probe" || { echo "FAIL: desktop_keeper --touch failed"; exit 1; }

# The desktop process must hold no test's pipe either (it would if a test had started it).
rc=0
for p in /proc/[0-9]*; do
    case "$(tr '\0' ' ' <"$p/cmdline" 2>/dev/null)" in
        *explorer.exe*) ;;
        *) continue ;;
    esac
    tr '\0' '\n' <"$p/environ" 2>/dev/null | grep -qxF "WINEPREFIX=${WINEPREFIX:-}" || continue
    for fd in 0 1 2; do
        target=$(readlink "$p/fd/$fd" 2>/dev/null) || continue
        case "$target" in
            pipe:* | socket:*)
                echo "FAIL: the desktop process ${p#/proc/} holds $target as its handle $fd"
                rc=1
                ;;
        esac
    done
done
[ "$rc" = 0 ] && echo "PASS: no output pipe is held by the desktop"
exit "$rc"
