# Windows targets: the plug-in DLL and the stand-in host that loads it.
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501 WINVER=0x0501)
# Link the runtime statically so the DLL imports system DLLs only.
set(ZOR_STATIC_RUNTIME -static -static-libgcc -static-libstdc++)

set(ZOR_PLUGIN_SOURCES
    host/visNorvLyric.cpp
    host/Win32HostLink.cpp
    host/LyricsPluginApp.cpp
    host/PluginListPort.cpp
    host/RenderCycle.cpp
    host/FrameSubclass.cpp
    config/ConfigDialog.cpp
    config/DlgGetPath.cpp
    display/PluginWnd.cpp
    display/LyricsListBox.cpp
    display/LineWipe.cpp
    display/LayoutModes.cpp
    display/Oscilloscope.cpp
    commands/CommandSet.cpp
    commands/TimingCommands.cpp
    commands/PluginButton.cpp
    commands/PluginToolbar.cpp
    commands/DlgEditor.cpp
    commands/HelpDialog.cpp
    commands/DlgOnlineSearch.cpp
    commands/DlgPublish.cpp
    commands/PublishCommand.cpp
    host/OnlineWorker.cpp
    host/OnlineStep.cpp
    host/PublishRun.cpp
    lyrics/platform/Win32HttpTransport.cpp)

add_library(vis_zorlyrics SHARED ${ZOR_PLUGIN_SOURCES} host/vis_zorlyrics.def)
set_target_properties(vis_zorlyrics PROPERTIES PREFIX "" OUTPUT_NAME "vis_zorlyrics")
target_link_libraries(vis_zorlyrics PRIVATE zorcore)
target_link_options(vis_zorlyrics PRIVATE ${ZOR_STATIC_RUNTIME} -Wl,--exclude-all-symbols -Wl,--enable-stdcall-fixup)
target_link_libraries(vis_zorlyrics PRIVATE user32 gdi32 comdlg32 comctl32 mpr shell32 advapi32
    winhttp)

# The window framework the plug-in's window classes derive from.
set(ZOR_FRAMEWORK_SOURCES
    framework/MessageMap.cpp
    framework/Wnd.cpp
    framework/EntryGuard.cpp
    framework/WinApp.cpp
    framework/FrameWnd.cpp
    framework/Dialog.cpp
    framework/ListBox.cpp
    framework/Button.cpp)
add_library(zorframework STATIC ${ZOR_FRAMEWORK_SOURCES})
target_include_directories(zorframework PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(zorframework PUBLIC user32 gdi32)
target_link_libraries(vis_zorlyrics PRIVATE zorframework)

# Tests of Windows programs run under the wine loader of the build's own architecture: the shipped
# i686 build under the 32-bit loader, the x86_64 build under wine64. Each holds one "wine" worker (a
# display and a prefix of its own, see scripts/lib/wine-env.sh) while it runs, because real key
# presses and clicks go to whichever window has the focus on that display.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    set(ZOR_WINE_LOADER_NAME wine64)
else()
    set(ZOR_WINE_LOADER_NAME wine)
endif()
find_program(ZOR_WINE_LOADER ${ZOR_WINE_LOADER_NAME} PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(NOT ZOR_WINE_LOADER)
    set(ZOR_WINE_LOADER /usr/lib/wine/${ZOR_WINE_LOADER_NAME})
endif()
set(ZOR_WINE_RUN ${CMAKE_SOURCE_DIR}/scripts/lib/wine-run.sh)
enable_testing()
function(zor_wine_test name)
    set_tests_properties(${name} PROPERTIES LABELS integration RESOURCE_GROUPS wine:1
        ENVIRONMENT "WINEDEBUG=-all;ZOR_WINE_LOADER=${ZOR_WINE_LOADER}" ${ARGN})
endfunction()

add_executable(test_framework tests/framework/test_framework.cpp tests/framework/test_framework.rc)
target_link_libraries(test_framework PRIVATE zorframework)
target_link_options(test_framework PRIVATE ${ZOR_STATIC_RUNTIME})
add_test(NAME framework COMMAND bash ${ZOR_WINE_RUN} $<TARGET_FILE:test_framework>)
zor_wine_test(framework TIMEOUT 120)
set_property(TEST framework APPEND PROPERTY LABELS smoke)

file(GLOB HOSTSIM_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/hostsim/*.cpp)
add_executable(hostsim ${HOSTSIM_SOURCES})
target_include_directories(hostsim PRIVATE ${CMAKE_SOURCE_DIR})
target_link_options(hostsim PRIVATE ${ZOR_STATIC_RUNTIME})
target_link_libraries(hostsim PRIVATE user32 gdi32 shell32)
add_dependencies(hostsim vis_zorlyrics)

# A small plug-in of hostsim's own, so that hostsim's tests do not depend on the real one.
add_library(hostsim_testplugin SHARED
    tests/integration/testplugin/TestPlugin.cpp
    tests/integration/testplugin/TestPlugin.rc
    tests/integration/testplugin/TestPlugin.def)
set_target_properties(hostsim_testplugin PROPERTIES PREFIX "" OUTPUT_NAME "testplugin")
target_include_directories(hostsim_testplugin PRIVATE ${CMAKE_SOURCE_DIR}
    ${CMAKE_SOURCE_DIR}/tests/integration/testplugin)
target_link_options(hostsim_testplugin PRIVATE ${ZOR_STATIC_RUNTIME} -Wl,--exclude-all-symbols)
target_link_libraries(hostsim_testplugin PRIVATE user32 gdi32)
add_dependencies(hostsim hostsim_testplugin)

# Trusts the HTTPS test's own authority inside that test's own wine prefix (with-standin.sh).
add_executable(trustca tests/integration/trustca/TrustCa.cpp)
target_link_options(trustca PRIVATE ${ZOR_STATIC_RUNTIME} -municode)
target_link_libraries(trustca PRIVATE crypt32)
add_dependencies(hostsim trustca)

add_subdirectory(tests/integration)

# Resources: dialogs, icons, bitmaps and the help text, compiled by windres into the DLL; the
# check program reads them back out of the built DLL under wine.
enable_language(RC)
target_sources(vis_zorlyrics PRIVATE resources/plugin.rc)
set_property(SOURCE resources/plugin.rc APPEND PROPERTY OBJECT_DEPENDS
    ${CMAKE_SOURCE_DIR}/resources/resource.h ${CMAKE_SOURCE_DIR}/resources/help.txt
    ${CMAKE_SOURCE_DIR}/resources/logo.bmp ${CMAKE_SOURCE_DIR}/resources/foldertree.bmp
    ${CMAKE_SOURCE_DIR}/resources/refresh.ico ${CMAKE_SOURCE_DIR}/resources/note.ico
    ${CMAKE_SOURCE_DIR}/resources/notepad.ico ${CMAKE_SOURCE_DIR}/resources/question.ico
    ${CMAKE_SOURCE_DIR}/resources/soundfile.ico ${CMAKE_SOURCE_DIR}/resources/gear.ico
    ${CMAKE_SOURCE_DIR}/resources/floppy.ico)
add_executable(check_resources tests/resources/check_resources.cpp)
target_include_directories(check_resources PRIVATE ${CMAKE_SOURCE_DIR})
target_link_options(check_resources PRIVATE ${ZOR_STATIC_RUNTIME})
target_link_libraries(check_resources PRIVATE user32 gdi32 comctl32)
add_dependencies(check_resources vis_zorlyrics)
add_test(NAME resources COMMAND bash ${ZOR_WINE_RUN} $<TARGET_FILE:check_resources>
         $<TARGET_FILE_NAME:vis_zorlyrics> WORKING_DIRECTORY $<TARGET_FILE_DIR:vis_zorlyrics>)
zor_wine_test(resources TIMEOUT 120)
set_property(TEST resources APPEND PROPERTY LABELS smoke)
