# Windows builds: the delay-loaded system functions, made before the libraries that link them.
# shell32 and comdlg32 serve only what a user asks for later (a page or folder opened, a file
# chosen), yet loading them with the exe costs start-up time, theirs and their own DLLs'. The
# functions listed here are delay-loaded: the DLL is loaded at the first call of one of them
# (dlltool makes the stubs, libdelayimp.a has the loader). A function not listed stays an
# ordinary import, which works too but loads the DLL at start again (bench/startup.sh shows it).
# version serves only the start of a run (the game program's version), the same way.
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
bw_delay_loaded(version GetFileVersionInfoSizeA@8 GetFileVersionInfoA@16 VerQueryValueA@16)
