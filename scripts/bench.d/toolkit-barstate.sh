# UI toolkit: restoring the saved state of ten toolbars from the registry, beside plain profile
# reads of the same entries (ms, best of 15).
if [ -f "$bin/toolkit_barstate_bench.exe" ]; then
    (cd "$bin" && wine toolkit_barstate_bench.exe)
fi
