# orvane_split_debug_info(target): after each link the debugging information of a program or
# library moves into <file>.debug beside it, linked by name (.gnu_debuglink), where debuggers
# find it. Left in the image it is mapped at every start: tens of megabytes that Wine reads in
# whole before the first instruction runs.
function(orvane_split_debug_info target)
    if(NOT CMAKE_OBJCOPY OR NOT CMAKE_STRIP)
        return()
    endif()
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:${target}>
                $<TARGET_FILE:${target}>.debug
        COMMAND ${CMAKE_STRIP} --strip-debug $<TARGET_FILE:${target}>
        COMMAND ${CMAKE_COMMAND} -E chdir $<TARGET_FILE_DIR:${target}>
                ${CMAKE_OBJCOPY} --add-gnu-debuglink=$<TARGET_FILE_NAME:${target}>.debug
                $<TARGET_FILE_NAME:${target}>
        VERBATIM)
endfunction()
