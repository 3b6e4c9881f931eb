# UI toolkit: command-bar control layout (100 buttons with icons and captions in one row,
# wrapped at 400 px, as a balanced floating shape; a 100-item popup) beside a system toolbar
# sized by TB_AUTOSIZE with the same buttons (us and ratio), themed and classic.
if [ -f "$bin/toolkit_control_layout_bench.exe" ]; then
    (cd "$bin" && wine toolkit_control_layout_bench.exe)
    (cd "$bin" && WINEDLLOVERRIDES=uxtheme=d wine toolkit_control_layout_bench.exe)
fi
