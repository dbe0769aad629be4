# Host build: the logic against the platform stand-in, its tests, and the fuzz target.
if(BW_TESTS)
    enable_testing()
    include(GoogleTest)
    find_package(GTest REQUIRED)
    add_executable(benchwright_tests
        src/config/engine_ini_test.cpp src/config/staged_files_test.cpp
        src/core/presets_test.cpp
        src/core/program_arguments_test.cpp src/core/run_driver_test.cpp src/core/start_up_test.cpp
        src/core/user_settings_test.cpp
        src/platform/folder_levels_test.cpp
        src/registry/registry_test.cpp
        src/results/comparison_test.cpp src/results/csv_test.cpp src/results/earlier_run_test.cpp
        src/results/frame_rate_log_test.cpp src/results/html_text_test.cpp
        src/results/report_page_test.cpp src/results/results_csv_test.cpp
        src/results/results_page_test.cpp src/results/run_cells_test.cpp
        src/results/run_statistics_test.cpp src/results/steadiness_test.cpp src/results/significance_test.cpp
        src/ui/command_line_test.cpp src/ui/custom_test_model_test.cpp
        src/ui/main_window_model_test.cpp src/ui/messages_test.cpp src/ui/options_model_test.cpp
        src/ui/progress_model_test.cpp)
    target_link_libraries(benchwright_tests bw_ui bw_core bw_config bw_results bw_registry
        bw_platform bw_common GTest::gtest GTest::gmock GTest::gtest_main)
    # tools/standin_values.h: the stand-in game's frame rates, for tests that predict them.
    target_include_directories(benchwright_tests PRIVATE tools)
    gtest_discover_tests(benchwright_tests DISCOVERY_TIMEOUT 60)

    # The layer check fails on a tree with one include across a forbidden arrow, and passes
    # without it.
    add_test(NAME Layers.ForbiddenIncludeFailsTheCheck
        COMMAND ${CMAKE_COMMAND} -DWORK=${CMAKE_BINARY_DIR}/layers_test
                -P ${PROJECT_SOURCE_DIR}/cmake/check_layers_test.cmake)
endif()

include(cmake/fuzz.cmake)
