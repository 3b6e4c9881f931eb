# UI toolkit docking panes: a saved layout of 50 panes in 20 tabbed containers from XML text to
# a laid-out, painted frame, and 20 docked panes resized through 100 sizes beside a plain frame
# placing as many children in one DeferWindowPos batch (ms and ratio), themed and classic.
if [ -f "$bin/toolkit_docking_bench.exe" ]; then
    (cd "$bin" && wine toolkit_docking_bench.exe)
    (cd "$bin" && WINEDLLOVERRIDES=uxtheme=d wine toolkit_docking_bench.exe)
fi
