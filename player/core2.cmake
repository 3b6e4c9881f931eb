# Player core, second half: the open presentation and its timeline, bookmarks, shared open
# files, the engine reader and format wrappers, audio devices, and the speed and step lists.
add_library(qvp_core2 STATIC
    SpeedPlay.cpp
    MediaBlockList.cpp
    SingleOpenFile.cpp
    Bookmarks.cpp
    VideoAudFmt.cpp
    VideoVidFmt.cpp
    VideoReader.cpp
    DxAudioDev.cpp
    DxAudioDevs.cpp
    QVRFile.cpp
    TimeText.cpp
    StepList.cpp
    SpeedListEditor.cpp
    TimeListEditor.cpp
    SpeedMenu.cpp
    PlayerDebugInfo.cpp
)
target_include_directories(qvp_core2 PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_include_directories(qvp_core2 PRIVATE ${CMAKE_SOURCE_DIR}/platform/wmvcore)
target_link_libraries(qvp_core2 PUBLIC playercore support framework orvane_wmv_iids strmiids
    winmm comctl32 ole32 oleaut32 uuid)
# The document opens presentations through the core's second half, which in turn builds on the
# first: the two libraries depend on each other.
target_link_libraries(playercore PUBLIC qvp_core2)
