#!/usr/bin/env bash
# The damaged-presentation campaign (make torture; not part of the tests). Damaged variants of
# the generated presentations (scripts/torture-variants.py) go through the engine in process
# (tests/video/reader/TortureDriver.cpp: open, play at speed 1 and 2, seek, frame step, close),
# a few through the player itself (opened by command line with real message boxes, closed by
# WM_CLOSE to all its windows, the box included; the header the reader refuses always among
# them), and a few are opened 100 times to count threads and handles. Prints a summary by
# kind; the full log is build/<arch>/torture/torture.log.
#   TORTURE_PER_KIND   variants per kind and source (default 4)
#   TORTURE_SECONDS    time after which no new variant starts (default 900)
#   TORTURE_PLAYER     variants also run through the player (default 6)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
per_kind=${TORTURE_PER_KIND:-4}
seconds=${TORTURE_SECONDS:-900}
player_runs=${TORTURE_PLAYER:-6}

bash "$root/scripts/build.sh" --target video_torture QVP QVPVideo orvane_media >/dev/null
. "$root/scripts/wine-env.sh"
ORVANE_XVFB=1 wine_env_start

out="$BUILD_DIR/torture"
rm -rf "$out"
mkdir -p "$out/variants"
python3 "$root/scripts/torture-variants.py" "$BUILD_DIR/media" "$out/variants" "$per_kind"
log="$out/torture.log"
: >"$log"
list="$out/list.txt"
while read -r _ name; do
    echo "Z:${out//\//\\}\\variants\\$name"
done <"$out/variants/variants.txt" >"$list"
total=$(wc -l <"$list")

# The engine in process; a hang (watchdog, exit 3) or a crash ends the driver, which then
# goes on after the file it stopped at.
driver="$BUILD_DIR/tests/bin/video_torture.exe"
deadline=$(($(date +%s) + seconds))
next=0
while [ "$next" -lt "$total" ] && [ "$(date +%s)" -lt "$deadline" ]; do
    set +e
    timeout $((seconds + 120)) wine "$driver" "$(winepath -w "$list")" "$next" \
        >"$out/run.txt" 2>/dev/null
    rc=$?
    set -e
    tr -d '\r' <"$out/run.txt" >>"$log"
    last=$(tr -d '\r' <"$out/run.txt" | awk '/^FILE /{n=$2} END{print n}')
    if [ "$rc" -eq 0 ]; then
        break
    fi
    if [ -z "$last" ]; then
        echo "torture: the driver failed before its first file (exit $rc)" >&2
        exit 1
    fi
    if ! tr -d '\r' <"$out/run.txt" | grep -q "^HANG "; then
        echo "CRASH $(sed -n "$((last + 1))p" "$list") exit=$rc" >>"$log"
    fi
    next=$((last + 1))
done

# Threads and handles across 100 opens: a refused header, a cut data object, an intact file.
for name in sample-video1--header-bytes-1.wmv sample-video1--truncate-packet-1.wmv; do
    [ -f "$out/variants/$name" ] || continue
    timeout 600 wine "$driver" --repeat 100 "Z:${out//\//\\}\\variants\\$name" 2>/dev/null |
        tr -d '\r' >>"$log" || echo "REPEAT $name failed" >>"$log"
done
timeout 600 wine "$driver" --repeat 100 "$(winepath -w "$BUILD_DIR/media/one-video.wmv")" \
    2>/dev/null | tr -d '\r' >>"$log" || echo "REPEAT one-video.wmv failed" >>"$log"

# The player itself on a sample of the variants.
settings="$out/settings"
sample=$(awk '{print $2}' "$out/variants/variants.txt" | awk -v n="$player_runs" \
    'BEGIN{srand(36)} {a[NR]=$0}
     END{for(i=1;i<=n&&i<=NR;i++){k=int(rand()*NR)+1; print a[k]}}')
cp "$BUILD_DIR/media/damaged-header-ff.wmv" "$out/variants/"
for name in damaged-header-ff.wmv $sample; do
    rm -rf "$settings"
    mkdir -p "$settings"
    path="Z:${out//\//\\}\\variants\\$name"

    # Real message boxes, as a user sees them: the close below reaches the box and the main
    # window together, while the code that showed the box still waits for its answer.
    ORVANE_SETTINGS_DIR="$(winepath -w "$settings")" \
        wine "$BUILD_DIR/bin/QVP.exe" "$path" /P >/dev/null 2>&1 &
    player=$!
    # The close is asked for once the open has settled (played, or its message up): a close
    # that arrives during the open waits for it on the window's thread, and the first open of
    # a run (Direct3D, the decoders and GStreamer loaded for the first time) takes several
    # seconds under load, which was counted as closing time before.
    started=$(date +%s%N)
    for _ in $(seq 1 600); do
        cat "$settings"/DebInfo/QVR_trc_*.txt 2>/dev/null | tr -d '\r' |
            grep -q -e "Play started" -e "Mess: " && break
        kill -0 "$player" 2>/dev/null || break
        sleep 0.1
    done
    opened=$((($(date +%s%N) - started) / 1000000))
    sleep 2
    closing=$(date +%s%N)
    wine taskkill /IM QVP.exe >/dev/null 2>&1 || true
    for _ in $(seq 1 100); do
        kill -0 "$player" 2>/dev/null || break
        sleep 0.1
    done
    closed=$((($(date +%s%N) - closing) / 1000000))
    how=closed
    if kill -0 "$player" 2>/dev/null; then
        how=HANG
        wine taskkill /F /IM QVP.exe >/dev/null 2>&1 || true
        wait "$player" 2>/dev/null || true
    fi
    trace=$(cat "$settings"/DebInfo/QVR_trc_*.txt 2>/dev/null | tr -d '\r' || true)
    ended=message
    if grep -q "Play started" <<<"$trace"; then ended=played; fi
    grep -q "Exit: settings saved" <<<"$trace" || ended="$ended,no-normal-exit"
    echo "PLAYER $name $how outcome=$ended open=${opened}ms close=${closed}ms" >>"$log"

done

# Summary by kind.
python3 - "$out/variants/variants.txt" "$log" "$total" <<'PY'
import collections, re, sys
kinds = {}
for line in open(sys.argv[1]):
    kind, name = line.split()
    kinds[name] = kind
by = collections.defaultdict(collections.Counter)
slowest = (0, '', '')
closes = (0, '')
tried = 0
for line in open(sys.argv[2]):
    m = re.match(r'(DONE|HANG|CRASH) \S*\\(\S+)', line)
    if m:
        name = m.group(2)
        kind = kinds.get(name, '?')
        if m.group(1) == 'DONE':
            tried += 1
            outcome = re.search(r'outcome=(\S+)', line).group(1)
            by[kind][outcome] += 1
            s = re.search(r'slowest=(\d+)\((.*?)\)', line)
            if int(s.group(1)) > slowest[0]:
                slowest = (int(s.group(1)), s.group(2), name)
            c = int(re.search(r'close=(\d+)', line).group(1))
            if c > closes[0]:
                closes = (c, name)
        else:
            tried += 1
            by[kind][m.group(1).lower()] += 1
print('torture: %d of %s variants run through the engine' % (tried, sys.argv[3]))
for kind in sorted(by):
    print('  %-18s %s' % (kind, ', '.join('%s %d' % kv for kv in sorted(by[kind].items()))))
print('  slowest step: %d ms (%s, %s)' % slowest)
print('  slowest close: %d ms (%s)' % closes)
player = [(int(m.group(2)), m.group(1)) for line in open(sys.argv[2])
          for m in [re.match(r'PLAYER (\S+) .*close=(\d+)ms', line)] if m]
if player:
    print('  slowest player close: %d ms (%s)' % max(player))
for line in open(sys.argv[2]):
    if line.startswith(('REPEAT', 'PLAYER', 'HANG', 'CRASH')):
        print('  ' + line.strip())
PY
