# Import checks: the exes must load on a bare Windows (system DLLs only), and the i686 release
# exe on Windows XP. Not run through Wine: objdump reads the files.
add_test(NAME Imports.SystemDllsOnly
    COMMAND ${CMAKE_SOURCE_DIR}/tools/check_imports.sh $<TARGET_FILE:benchwright>)
add_test(NAME Imports.ReleaseExeLoadsOnWindowsXP
    COMMAND ${CMAKE_SOURCE_DIR}/tools/check_imports.sh --xp
            ${CMAKE_SOURCE_DIR}/build/windows-x86/benchwright.exe)
