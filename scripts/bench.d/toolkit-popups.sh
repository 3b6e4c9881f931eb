# UI toolkit command bars: a 50-item popup bar from PopupAt to painted and idle against Win32
# TrackPopupMenu to the owner's WM_ENTERIDLE, and the host frame's creation to menu bar and
# toolbar painted against the Win32 menu with the framework's CToolBar (medians of 20, us).
if [ -f "$bin/toolkit_bars_bench.exe" ]; then
    (cd "$bin" && wine toolkit_bars_bench.exe)
fi
