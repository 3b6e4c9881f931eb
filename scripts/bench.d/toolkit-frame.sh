# UI toolkit frame integration: a frame built through the player's sequence (InitCommandBars,
# SetMenu, Add with LoadToolBar, the dialog bar) from creation to all bars painted, against a
# framework frame with the Win32 menu, CToolBar and a child dialog (medians of 20, us).
if [ -f "$bin/toolkit_frame_bench.exe" ]; then
    (cd "$bin" && wine toolkit_frame_bench.exe)
fi
