#!/usr/bin/env bash
# No test's output pipe may stay open in Wine's desktop process: ctest would wait on that pipe
# after the test ended, until the test's time-out. The session holds the desktop from its start,
# away from any pipe (scripts/wine-env.sh), so the desktop process never changes; and a process
# joining it leaves no pipe behind. Run by ctest inside the scripts' Wine environment with
# desktop_keeper.exe and the session's ready file (which names the desktop's process).
set -u
keeper=$1
ready=$2

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkfifo "$dir/out"
wine "$keeper" --touch >"$dir/out" 2>&1 </dev/null &
probe=$!
# The reader sees the end of the pipe only once every process holding it has closed it.
if ! timeout 60 cat "$dir/out" >"$dir/pid"; then
    echo "FAIL: the output pipe of a process that joined the desktop stayed open after it ended"
    kill "$probe" 2>/dev/null
    exit 1
fi
if ! wait "$probe"; then
    echo "FAIL: desktop_keeper --touch failed: $(cat "$dir/pid")"
    exit 1
fi
if [ ! -s "$ready" ]; then
    echo "FAIL: the session holds no desktop ($ready is missing): a test may start it"
    exit 1
fi
now=$(tr -d '\r\n' <"$dir/pid")
held=$(tr -d '\r\n' <"$ready")
if [ "$now" != "$held" ]; then
    echo "FAIL: the desktop was started again (process $held at the session's start, now $now)"
    exit 1
fi
echo "PASS: the session's desktop (process $held) is still up and keeps no output pipe"
