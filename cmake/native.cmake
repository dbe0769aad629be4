# Host build: the logic against the platform stand-in, its tests, and the fuzz target.
add_library(bw_platform_standin STATIC src/platform/platform_standin.cpp)
target_include_directories(bw_platform_standin PUBLIC src)
target_link_libraries(bw_logic PUBLIC bw_platform_standin)

if(BW_TESTS)
    enable_testing()
    include(GoogleTest)
    find_package(GTest REQUIRED)
    file(GLOB BW_TEST_SOURCES CONFIGURE_DEPENDS src/*/*_test.cpp)
    list(FILTER BW_TEST_SOURCES EXCLUDE REGEX "_win32_test\\.cpp$")
    add_executable(benchwright_tests ${BW_TEST_SOURCES})
    target_link_libraries(benchwright_tests bw_logic GTest::gtest GTest::gmock GTest::gtest_main)
    # tools/standin_values.h: the stand-in game's frame rates, for tests that predict them.
    target_include_directories(benchwright_tests PRIVATE tools)
    gtest_discover_tests(benchwright_tests DISCOVERY_TIMEOUT 60)
endif()

include(cmake/fuzz.cmake)
