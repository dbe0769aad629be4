# Windows build: the program, and for x86_64 its tests and the stand-in game (run under Wine).
enable_language(RC)

set(BW_LINK_OPTIONS -static -Wl,--nxcompat,--dynamicbase,--gc-sections)
# windres finds the manifest, as the .rc names it, in the generated folder (an include folder).
configure_file(src/ui/benchwright.manifest.in ${BW_GENERATED}/benchwright.manifest @ONLY)
set_source_files_properties(src/ui/benchwright.rc PROPERTIES
    OBJECT_DEPENDS "${BW_GENERATED}/benchwright.manifest;${BW_GENERATED}/version.h")
add_executable(benchwright WIN32 src/main.cpp src/ui/benchwright.rc)
target_link_libraries(benchwright bw_ui)
# The link map tells what the exe is made of (bench/exe_size.sh reads it).
target_link_options(benchwright PRIVATE ${BW_LINK_OPTIONS} -s
    -Wl,-Map=${CMAKE_BINARY_DIR}/benchwright.map)
# GCC 12's link-time optimiser fails internally (binds_to_current_def_p) when it splits the
# program into partitions; one partition is also the smaller exe.
if(CMAKE_INTERPROCEDURAL_OPTIMIZATION)
    target_link_options(benchwright PRIVATE -flto-partition=none)
endif()
add_custom_command(TARGET benchwright POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_SOURCE_DIR}/dist/help.html
            ${CMAKE_BINARY_DIR}/help.html
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/dist/lab ${CMAKE_BINARY_DIR}/lab)

# The yardsticks of bench/startup.sh, in each build so the release exe is measured against its
# own kind: a minimal dialog program built like the exe, and the same program showing the main
# window's template (menu and controls) from Benchwright's own resources. Never shipped; not
# built by default.
add_executable(minimal_dialog WIN32 EXCLUDE_FROM_ALL bench/minimal_dialog.cpp
    bench/minimal_dialog.rc)
set_source_files_properties(bench/minimal_dialog.rc PROPERTIES
    OBJECT_DEPENDS ${BW_GENERATED}/benchwright.manifest)
add_executable(main_template_dialog WIN32 EXCLUDE_FROM_ALL bench/minimal_dialog.cpp
    src/ui/benchwright.rc)
target_compile_definitions(main_template_dialog PRIVATE SHOW_MAIN_TEMPLATE)
foreach(yardstick minimal_dialog main_template_dialog)
    target_include_directories(${yardstick} PRIVATE src ${BW_GENERATED})
    target_link_libraries(${yardstick} comctl32)
    target_link_options(${yardstick} PRIVATE ${BW_LINK_OPTIONS} -s)
endforeach()

if(BW_TESTS)
    enable_testing()
    include(GoogleTest)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
    # GoogleTest's own warnings are not ours to mend.
    set(CMAKE_COMPILE_WARNING_AS_ERROR OFF)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    set(CMAKE_COMPILE_WARNING_AS_ERROR ${BW_WERROR})

    # The stand-in game that tests install as <install>\System\ut2003.exe, with a version
    # resource as the game has.
    add_executable(standin_game WIN32 tools/standin_game.cpp tools/standin_game.rc)
    set_source_files_properties(tools/standin_game.rc PROPERTIES
        OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/tools/standin_version.h)
    target_link_options(standin_game PRIVATE ${BW_LINK_OPTIONS})

    # Equipment for the GUI tests and the demo: drives the windows from another process, and
    # stands in for the browser that opens a page.
    add_executable(demo_driver tools/demo_driver.cpp tools/gui_support_win32.cpp
        tools/test_support_win32.cpp)
    add_executable(open_capture tools/open_capture.cpp)
    target_link_options(demo_driver PRIVATE ${BW_LINK_OPTIONS})
    target_link_options(open_capture PRIVATE ${BW_LINK_OPTIONS})

    set(BW_WIN32_TEST_SOURCES
        src/config/config_win32_test.cpp
        src/core/launch_win32_test.cpp src/core/run_driver_win32_test.cpp
        src/platform/platform_win32_test.cpp
        src/registry/registry_win32_test.cpp
        src/ui/command_line_win32_test.cpp src/ui/options_win32_test.cpp
        src/ui/run_window_win32_test.cpp
        src/ui/windows_win32_test.cpp
        tools/standin_game_win32_test.cpp)
    add_executable(benchwright_win32_tests ${BW_WIN32_TEST_SOURCES}
        tools/test_support_win32.cpp tools/gui_support_win32.cpp)
    target_include_directories(benchwright_win32_tests PRIVATE tools)
    target_link_libraries(benchwright_win32_tests bw_ui bw_core bw_config bw_results bw_registry
        bw_platform bw_common version gtest gmock gtest_main)
    target_link_options(benchwright_win32_tests PRIVATE ${BW_LINK_OPTIONS})
    add_dependencies(benchwright_win32_tests standin_game benchwright open_capture)
    # The tests of a GUI suite (a TEST_F suite named ...Gui) share one start of the program, so
    # ctest runs each such suite as one test; every other test runs on its own.
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${BW_WIN32_TEST_SOURCES})
    set(BW_GUI_SUITES "")
    foreach(source ${BW_WIN32_TEST_SOURCES})
        file(STRINGS ${source} lines REGEX "^TEST_F\\([A-Za-z0-9]+Gui,")
        list(TRANSFORM lines REPLACE "^TEST_F\\(([A-Za-z0-9]+Gui),.*" "\\1")
        list(APPEND BW_GUI_SUITES ${lines})
    endforeach()
    list(REMOVE_DUPLICATES BW_GUI_SUITES)
    set(gui_filter "")
    foreach(suite ${BW_GUI_SUITES})
        string(APPEND gui_filter "${suite}.*:")
        add_test(NAME ${suite} COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR}
                 $<TARGET_FILE:benchwright_win32_tests> --gtest_filter=${suite}.*)
        set_tests_properties(${suite} PROPERTIES RUN_SERIAL TRUE
            SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\]")
    endforeach()
    gtest_discover_tests(benchwright_win32_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
        TEST_FILTER -${gui_filter}CodePage932*.* PROPERTIES RUN_SERIAL TRUE)
    # The code page tests run with a Japanese locale, which Wine takes from the environment.
    add_test(NAME CodePage932Gui.PageInsideAFolderEndingInSo
        COMMAND ${CMAKE_COMMAND} -E env LC_ALL=ja_JP.UTF-8 ${CMAKE_CROSSCOMPILING_EMULATOR}
                $<TARGET_FILE:benchwright_win32_tests> --gtest_filter=CodePage932Gui.*)
    set_tests_properties(CodePage932Gui.PageInsideAFolderEndingInSo PROPERTIES RUN_SERIAL TRUE
        SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\]")

    # A simulated lab: three Wine prefixes as three machines, one shared results folder.
    add_test(NAME Lab.ThreeMachinesOneShare
        COMMAND ${CMAKE_SOURCE_DIR}/tools/lab_test.sh ${CMAKE_BINARY_DIR})
    set_tests_properties(Lab.ThreeMachinesOneShare PROPERTIES RUN_SERIAL TRUE
        SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\]")

    # Benchmarks of the Windows side, one exe per source; run by the bench scripts, never by ctest.
    foreach(source bench/launch_wait_win32.cpp bench/run_wait_cpu_win32.cpp bench/startup_win32.cpp)
        get_filename_component(name ${source} NAME_WE)
        add_executable(${name} ${source} tools/test_support_win32.cpp tools/gui_support_win32.cpp)
        target_include_directories(${name} PRIVATE tools)
        target_link_libraries(${name} bw_ui)
        target_link_options(${name} PRIVATE ${BW_LINK_OPTIONS})
        add_dependencies(${name} standin_game benchwright open_capture)
    endforeach()

    include(cmake/windows_checks.cmake)
endif()
