# UI toolkit: property exchange through each storage beside the plain calls (ms and ratio).
if [ -f "$bin/toolkit_exchange_bench.exe" ]; then
    (cd "$bin" && wine toolkit_exchange_bench.exe)
fi
