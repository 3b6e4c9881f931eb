# UI toolkit: the image manager loading a 24-icon PNG strip and drawing 300 icons through its
# image resources, against the old decoder with an image list and ImageList_Draw (ms, ratio).
if [ -f "$bin/toolkit_image_bench.exe" ]; then
    (cd "$bin" && wine toolkit_image_bench.exe)
fi
