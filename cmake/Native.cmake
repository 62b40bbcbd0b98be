# Native targets: the command-line companion, unit tests, fuzz targets and benchmarks.
file(GLOB ZORLYRICS_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/zorlyrics/*.cpp)
add_executable(zorlyrics ${ZORLYRICS_SOURCES})
target_link_libraries(zorlyrics PRIVATE zorcore)

enable_testing()
find_package(GTest REQUIRED)
file(GLOB ZOR_UNIT_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(unit_tests ${ZOR_UNIT_TEST_SOURCES})
target_link_libraries(unit_tests PRIVATE zorcore GTest::gtest GTest::gtest_main)
target_compile_definitions(unit_tests PRIVATE ZOR_ZORLYRICS="$<TARGET_FILE:zorlyrics>"
                                              ZOR_UNIT_FIXTURES="${CMAKE_SOURCE_DIR}/tests/unit/fixtures")
add_dependencies(unit_tests zorlyrics)
include(GoogleTest)
gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 60 PROPERTIES LABELS unit)

if(ZOR_FUZZ AND EXISTS ${CMAKE_SOURCE_DIR}/tests/fuzz/CMakeLists.txt)
    add_subdirectory(tests/fuzz)
endif()
if(ZOR_BENCH AND EXISTS ${CMAKE_SOURCE_DIR}/bench/CMakeLists.txt)
    add_subdirectory(bench)
endif()
