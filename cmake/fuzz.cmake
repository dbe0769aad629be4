# The log reader's fuzz target. Under clang it is a libFuzzer program (scripts/fuzz runs it);
# under other compilers it is a replay driver. Either way ctest replays the seed corpus through it
# with AddressSanitizer and UBSan.
set(BW_FUZZ_CORPUS ${CMAKE_SOURCE_DIR}/src/results/fuzz_corpus)
set(BW_FUZZ_SANITIZERS address,undefined)
if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    set(BW_FUZZ_SANITIZERS fuzzer,${BW_FUZZ_SANITIZERS})
endif()

# The reader's source is compiled into the target so that libFuzzer's coverage sees it.
add_executable(frame_rate_log_fuzz src/results/frame_rate_log_fuzz.cpp
                                   src/results/frame_rate_log.cpp)
target_include_directories(frame_rate_log_fuzz PRIVATE src)
target_link_libraries(frame_rate_log_fuzz PRIVATE bw_platform)
target_compile_options(frame_rate_log_fuzz PRIVATE -fsanitize=${BW_FUZZ_SANITIZERS}
                       -fno-sanitize-recover=all -fno-omit-frame-pointer)
target_link_options(frame_rate_log_fuzz PRIVATE -fsanitize=${BW_FUZZ_SANITIZERS})

if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    set(BW_FUZZ_REPLAY_ARGS -runs=0 ${BW_FUZZ_CORPUS})
else()
    target_compile_definitions(frame_rate_log_fuzz PRIVATE BW_FUZZ_REPLAY)
    set(BW_FUZZ_REPLAY_ARGS ${BW_FUZZ_CORPUS})
endif()

if(BW_TESTS)
    add_test(NAME FrameRateLogFuzz.ReplaysSeedCorpus
             COMMAND frame_rate_log_fuzz ${BW_FUZZ_REPLAY_ARGS})
endif()
