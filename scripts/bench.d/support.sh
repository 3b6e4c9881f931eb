# Support library: settings load and save (target: under 50 ms).
if [ -f "$bin/support_bench.exe" ]; then
    (cd "$bin" && wine support_bench.exe)
fi
