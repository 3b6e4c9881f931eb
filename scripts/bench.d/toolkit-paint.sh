# UI toolkit: a 100-button toolbar in every state painted into a memory DC by theme 0 and
# theme 3, beside a system toolbar painted by WM_PRINTCLIENT, and SetTheme(3) with its refresh
# (us and ratio); with the prefix's visual style and with uxtheme off for the process.
if [ -f "$bin/toolkit_theme_paint_bench.exe" ]; then
    (cd "$bin" && wine toolkit_theme_paint_bench.exe)
    (cd "$bin" && WINEDLLOVERRIDES=uxtheme=d wine toolkit_theme_paint_bench.exe)
fi
