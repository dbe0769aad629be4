# Fails when a source includes one of our headers across a forbidden arrow of the layers
#   ui -> core -> config / results / registry -> platform -> common
# Run as `cmake -DTOP=<folder holding src> -P check_layers.cmake`; the build runs it before any
# library (CMakeLists.txt). Every .cpp and .h under src/ is read, listed in a target or not.
# Tests (*_test.cpp, *_test.h, *_fuzz.cpp) are exempt, and so are tools/ and bench/.

cmake_minimum_required(VERSION 3.25)

# What each layer may include besides its own folder. src/main.cpp is "main".
set(allowed_common "")
set(allowed_platform common)
set(allowed_registry platform common)
set(allowed_config platform common)
set(allowed_results platform common)
set(allowed_core config results registry platform common)
# ui takes results' data types, which core's interface hands out; config and registry it reaches
# only through core.
set(allowed_ui core results platform common)
set(allowed_main ui core results platform common)
set(layers common platform registry config results core ui)

if(NOT TOP)
    message(FATAL_ERROR "usage: cmake -DTOP=<folder holding src> -P check_layers.cmake")
endif()
list(JOIN layers "|" layer_pattern)
set(include_pattern "^[ \t]*#[ \t]*include[ \t]*[\"<](${layer_pattern})/[^\">]*[\">]")

file(GLOB_RECURSE files RELATIVE ${TOP} ${TOP}/src/*.cpp ${TOP}/src/*.h)
list(SORT files)
set(violations 0)
foreach(file ${files})
    if(file MATCHES "(_test\\.cpp|_test\\.h|_fuzz\\.cpp)$")
        continue()
    endif()
    if(file MATCHES "^src/[^/]+$")
        set(layer main)
    else()
        string(REGEX REPLACE "^src/([^/]+)/.*" "\\1" layer "${file}")
        if(NOT layer IN_LIST layers)
            message(NOTICE "layers: ${file} is in no layer: add src/${layer} to the rules")
            math(EXPR violations "${violations} + 1")
            continue()
        endif()
    endif()
    file(STRINGS ${TOP}/${file} lines REGEX "${include_pattern}")
    foreach(line ${lines})
        string(REGEX REPLACE "${include_pattern}.*" "\\1" folder "${line}")
        string(REGEX REPLACE "^[^\"<]*[\"<]([^\">]*)[\">].*" "\\1" header "${line}")
        if(folder STREQUAL layer OR folder IN_LIST allowed_${layer})
            continue()
        endif()
        set(allowed ${allowed_${layer}})
        if(NOT layer STREQUAL "main")
            list(PREPEND allowed ${layer})
        endif()
        list(JOIN allowed ", " allowed)
        message(NOTICE
            "layers: ${file} includes \"${header}\": ${layer} may include only ${allowed}")
        math(EXPR violations "${violations} + 1")
    endforeach()
endforeach()

if(violations GREATER 0)
    message(FATAL_ERROR "layers: ${violations} include(s) across a forbidden arrow "
                        "(ui -> core -> config / results / registry -> platform -> common)")
endif()
