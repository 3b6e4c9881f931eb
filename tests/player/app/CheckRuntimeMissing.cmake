# Starts the player with the Windows Media runtime disabled (a Wine DLL override, which only
# takes effect from the environment Wine starts in) and checks that start-up ends with the
# runtime's message, before the engine or the settings are touched.
#   cmake -DPLAYER=<QVP.exe> -DRUN_DIR=<folder> -P CheckRuntimeMissing.cmake
file(REMOVE_RECURSE ${RUN_DIR})
file(MAKE_DIRECTORY ${RUN_DIR}/settings)
string(REPLACE "/" "\\" settings_win "Z:${RUN_DIR}/settings")
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env "WINEDLLOVERRIDES=wmvcore=d;mscoree,mshtml="
            ORVANE_MSGBOX_ANSWER=1 "ORVANE_SETTINGS_DIR=${settings_win}" wine ${PLAYER}
    TIMEOUT 60
    RESULT_VARIABLE result)
file(GLOB traces ${RUN_DIR}/settings/DebInfo/QVR_trc_*.txt)
list(LENGTH traces count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "expected one trace file, found ${count} (exit ${result})")
endif()
file(READ ${traces} trace)
foreach(expected "WMA err=" "Mess: Failed to load Dynamic Link Library \"wmvcore.dll\"")
    string(FIND "${trace}" "${expected}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "\"${expected}\" missing in the trace:\n${trace}")
    endif()
endforeach()
foreach(unexpected "WMA=" "Init: callback object" "Init: settings")
    string(FIND "${trace}" "${unexpected}" at)
    if(NOT at EQUAL -1)
        message(FATAL_ERROR "\"${unexpected}\" should not be in the trace:\n${trace}")
    endif()
endforeach()
if(EXISTS ${RUN_DIR}/settings/QVPSettings.xml)
    message(FATAL_ERROR "settings were saved although they were never loaded")
endif()
