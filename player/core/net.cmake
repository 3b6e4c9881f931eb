# Network playback parts of the player that need no window: the URL check and schemes.
add_library(qvp_net STATIC ${CMAKE_CURRENT_LIST_DIR}/UrlCheck.cpp)
target_include_directories(qvp_net PUBLIC ${CMAKE_CURRENT_LIST_DIR})
