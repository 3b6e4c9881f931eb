# UI toolkit: the popup fade (one blended frame, a whole 10-step fade) beside the system's
# AlphaBlend for the same frames, and a paint manager's metrics refresh (us and ratio).
if [ -f "$bin/toolkit_popup_animation_bench.exe" ]; then
    (cd "$bin" && wine toolkit_popup_animation_bench.exe)
fi
