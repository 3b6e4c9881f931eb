# UI toolkit: layout and redraw of a 100-tab strip beside a system tab control (us and ratio),
# with the prefix's visual style and classic (uxtheme off for the process).
if [ -f "$bin/toolkit_tabstrip_bench.exe" ]; then
    (cd "$bin" && wine toolkit_tabstrip_bench.exe)
    (cd "$bin" && WINEDLLOVERRIDES=uxtheme=d wine toolkit_tabstrip_bench.exe)
fi
# Every appearance's layout and redraw of a 100-tab strip, in its own and the native colour set.
if [ -f "$bin/toolkit_tab_appearance_bench.exe" ]; then
    (cd "$bin" && wine toolkit_tab_appearance_bench.exe)
    (cd "$bin" && WINEDLLOVERRIDES=uxtheme=d wine toolkit_tab_appearance_bench.exe)
fi
