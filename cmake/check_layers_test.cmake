# Runs check_layers.cmake on a small tree in WORK: it passes with includes along the arrows (and
# a test including across them), then fails, naming the file, the header and the rule, once
# results includes a core header.
# Run as `cmake -DWORK=<scratch folder> -P check_layers_test.cmake`.
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE ${WORK})
file(WRITE ${WORK}/src/common/text.h "#pragma once\n")
file(WRITE ${WORK}/src/platform/platform.h "#include \"common/text.h\"\n")
file(WRITE ${WORK}/src/config/engine_ini.h "#include <string>\n#include \"platform/platform.h\"\n")
file(WRITE ${WORK}/src/results/csv.cpp "#include \"results/csv.h\"\n#include \"common/text.h\"\n")
file(WRITE ${WORK}/src/results/csv_test.cpp "#include \"core/run_plan.h\"\n")
file(WRITE ${WORK}/src/core/run_plan.h
    "#include \"config/engine_ini.h\"\n#include \"results/csv.h\"\n")
file(WRITE ${WORK}/src/ui/model.h "#include \"core/run_plan.h\"\n#include \"results/csv.h\"\n")
file(WRITE ${WORK}/src/main.cpp "#include \"ui/model.h\"\n")

function(check expected_result)
    execute_process(
        COMMAND ${CMAKE_COMMAND} -DTOP=${WORK} -P ${CMAKE_CURRENT_LIST_DIR}/check_layers.cmake
        RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT result STREQUAL expected_result)
        message(FATAL_ERROR
            "the check exited with ${result}, expected ${expected_result}:\n${output}")
    endif()
    set(output "${output}" PARENT_SCOPE)
endfunction()

check(0)
file(APPEND ${WORK}/src/results/csv.cpp "  #  include \"core/run_plan.h\"\n")
check(1)
set(expected "src/results/csv.cpp includes \"core/run_plan.h\": "
             "results may include only results, platform, common\n")
string(JOIN "" expected ${expected})
string(FIND "${output}" "${expected}" at)
if(at EQUAL -1)
    message(FATAL_ERROR "the check's message does not name the file, header and rule:\n${output}")
endif()
