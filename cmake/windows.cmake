# Windows build: the program, and for x86_64 its tests and the stand-in game (run under Wine).
enable_language(RC)

set(BW_LINK_OPTIONS -static -Wl,--nxcompat,--dynamicbase,--gc-sections)

# shell32 and comdlg32 serve only what a user asks for later (a page or folder opened, a file
# chosen), yet loading them with the exe costs start-up time, theirs and their own DLLs'. The
# functions listed here are delay-loaded: the DLL is loaded at the first call of one of them
# (dlltool makes the stubs, libdelayimp.a has the loader). A function not listed stays an
# ordinary import, which works too but loads the DLL at start again (bench/startup.sh shows it).
# i686 names carry their argument bytes (stdcall); the import names do not (dlltool -k).
function(bw_delay_loaded dll)
    set(def "LIBRARY ${dll}.dll\nEXPORTS\n")
    foreach(function ${ARGN})
        if(CMAKE_SIZEOF_VOID_P EQUAL 8)
            string(REGEX REPLACE "@[0-9]+$" "" function ${function})
        endif()
        string(APPEND def "    ${function}\n")
    endforeach()
    set(out ${CMAKE_BINARY_DIR}/delayload)
    file(MAKE_DIRECTORY ${out})
    file(CONFIGURE OUTPUT ${out}/${dll}.def CONTENT "${def}")
    execute_process(COMMAND ${CMAKE_DLLTOOL} -k --input-def ${out}/${dll}.def
                            --output-delaylib ${out}/lib${dll}_delay.a --dllname ${dll}.dll
                    RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "dlltool could not make the delay-load library of ${dll}")
    endif()
    set(BW_DELAY_LOADED ${BW_DELAY_LOADED} ${out}/lib${dll}_delay.a PARENT_SCOPE)
endfunction()
bw_delay_loaded(shell32 ShellExecuteA@24 SHBrowseForFolderA@4 SHGetPathFromIDListA@8 ILFree@4)
bw_delay_loaded(comdlg32 GetOpenFileNameA@4)

# The delay-load libraries come first, so the functions they list resolve there.
set(BW_SYSTEM_LIBS ${BW_DELAY_LOADED} delayimp comctl32 comdlg32 shell32 advapi32 gdi32 user32
    kernel32)

add_library(bw_platform_win32 STATIC src/platform/platform_win32.cpp)
target_include_directories(bw_platform_win32 PUBLIC src)
target_link_libraries(bw_platform_win32 PUBLIC ${BW_SYSTEM_LIBS})
target_link_libraries(bw_logic PUBLIC bw_platform_win32)

file(GLOB BW_UI_WIN32_SOURCES CONFIGURE_DEPENDS src/*/*_win32.cpp)
list(FILTER BW_UI_WIN32_SOURCES EXCLUDE REGEX "platform_win32\\.cpp$")
if(BW_UI_WIN32_SOURCES)
    add_library(bw_win32 STATIC ${BW_UI_WIN32_SOURCES})
    target_link_libraries(bw_win32 PUBLIC bw_logic bw_platform_win32)
else()
    add_library(bw_win32 INTERFACE)
    target_link_libraries(bw_win32 INTERFACE bw_logic bw_platform_win32)
endif()

# windres finds the manifest, as the .rc names it, in the generated folder (an include folder).
configure_file(src/ui/benchwright.manifest.in ${BW_GENERATED}/benchwright.manifest @ONLY)
set_source_files_properties(src/ui/benchwright.rc PROPERTIES
    OBJECT_DEPENDS "${BW_GENERATED}/benchwright.manifest;${BW_GENERATED}/version.h")
add_executable(benchwright WIN32 src/main.cpp src/ui/benchwright.rc)
target_link_libraries(benchwright bw_win32)
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
            ${CMAKE_BINARY_DIR}/help.html)

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

    # The stand-in game that tests install as <install>\System\ut2003.exe.
    add_executable(standin_game WIN32 tools/standin_game.cpp)
    target_link_options(standin_game PRIVATE ${BW_LINK_OPTIONS})

    # Equipment for the GUI tests and the demo: drives the windows from another process, and
    # stands in for the browser that opens a page.
    add_executable(demo_driver tools/demo_driver.cpp tools/gui_support_win32.cpp
        tools/test_support_win32.cpp)
    add_executable(open_capture tools/open_capture.cpp)
    target_link_options(demo_driver PRIVATE ${BW_LINK_OPTIONS})
    target_link_options(open_capture PRIVATE ${BW_LINK_OPTIONS})

    file(GLOB BW_WIN32_TEST_SOURCES CONFIGURE_DEPENDS src/*/*_win32_test.cpp tools/*_win32_test.cpp)
    add_executable(benchwright_win32_tests ${BW_WIN32_TEST_SOURCES} tools/test_support_win32.cpp
        tools/gui_support_win32.cpp)
    target_include_directories(benchwright_win32_tests PRIVATE tools)
    target_link_libraries(benchwright_win32_tests bw_win32 version gtest gmock gtest_main)
    target_link_options(benchwright_win32_tests PRIVATE ${BW_LINK_OPTIONS})
    add_dependencies(benchwright_win32_tests standin_game benchwright open_capture)
    gtest_discover_tests(benchwright_win32_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
        TEST_FILTER -CodePage932*.* PROPERTIES RUN_SERIAL TRUE)
    # The code page tests run with a Japanese locale, which Wine takes from the environment.
    add_test(NAME CodePage932Gui.PageInsideAFolderEndingInSo
        COMMAND ${CMAKE_COMMAND} -E env LC_ALL=ja_JP.UTF-8 ${CMAKE_CROSSCOMPILING_EMULATOR}
                $<TARGET_FILE:benchwright_win32_tests> --gtest_filter=CodePage932Gui.*)
    set_tests_properties(CodePage932Gui.PageInsideAFolderEndingInSo PROPERTIES RUN_SERIAL TRUE
        SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\]")

    # Benchmarks of the Windows side, one exe per bench/*_win32.cpp; run by the bench scripts,
    # never by ctest.
    file(GLOB BW_BENCH_WIN32_SOURCES CONFIGURE_DEPENDS bench/*_win32.cpp)
    foreach(source ${BW_BENCH_WIN32_SOURCES})
        get_filename_component(name ${source} NAME_WE)
        add_executable(${name} ${source} tools/test_support_win32.cpp tools/gui_support_win32.cpp)
        target_include_directories(${name} PRIVATE tools)
        target_link_libraries(${name} bw_win32)
        target_link_options(${name} PRIVATE ${BW_LINK_OPTIONS})
        add_dependencies(${name} standin_game benchwright open_capture)
    endforeach()

    include(cmake/windows_checks.cmake)
endif()
