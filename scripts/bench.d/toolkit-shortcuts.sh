# UI toolkit: the shortcut manager's cost for a key that is no shortcut beside Win32
# TranslateAccelerator on the same 200 shortcuts, and a menu refresh's shortcut texts from its
# own table and from the frame's accelerators (us and ratios).
if [ -f "$bin/toolkit_shortcut_bench.exe" ]; then
    (cd "$bin" && wine toolkit_shortcut_bench.exe)
fi
