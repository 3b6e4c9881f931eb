# Network playback parts of the player that need no window: the URL check and schemes, and the
# networking settings (proxy per protocol family).
add_library(qvp_net STATIC ${CMAKE_CURRENT_LIST_DIR}/UrlCheck.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NetworkingSettings.cpp)
target_include_directories(qvp_net PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(qvp_net PUBLIC support)
