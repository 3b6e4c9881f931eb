# Player: start-up to the shown window against a bare Win32 program (target: at most 2x).
if [ -f "$bin/player_bench.exe" ]; then
    (cd "$bin" && wine player_bench.exe)
fi
