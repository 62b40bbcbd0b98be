# Native targets: the command-line companion, unit tests, fuzz targets and benchmarks.
file(GLOB ZORLYRICS_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/zorlyrics/*.cpp)
add_executable(zorlyrics ${ZORLYRICS_SOURCES})
target_link_libraries(zorlyrics PRIVATE zorcore)

enable_testing()
find_package(GTest REQUIRED)
file(GLOB ZOR_UNIT_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(unit_tests ${ZOR_UNIT_TEST_SOURCES})
target_link_libraries(unit_tests PRIVATE zorcore GTest::gtest GTest::gtest_main
                      nlohmann_json::nlohmann_json)
target_compile_definitions(unit_tests PRIVATE ZOR_ZORLYRICS="$<TARGET_FILE:zorlyrics>"
    ZOR_UNIT_FIXTURES="${CMAKE_SOURCE_DIR}/tests/unit/fixtures"
    ZOR_STANDIN="${CMAKE_SOURCE_DIR}/tools/lrclib-standin/standin.py"
    ZOR_STANDIN_RECORDS="${CMAKE_SOURCE_DIR}/tools/lrclib-standin/records.json")
add_dependencies(unit_tests zorlyrics)
include(GoogleTest)
# No unit test may reach a server off this machine, even through zorlyrics.
gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 60
                     PROPERTIES LABELS unit ENVIRONMENT "ZORLYRICS_LOOPBACK_ONLY=1")

# zorlyrics' online step against the service stand-in on this machine (HTTP, HTTPS, faults).
# ZORLYRICS_LOOPBACK_ONLY makes zorlyrics refuse any other server, whatever a test asks.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
foreach(group http https faults publish)
    add_test(NAME online_${group}
             COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/tests/online/online_test.py
                     --zorlyrics $<TARGET_FILE:zorlyrics>
                     --standin ${CMAKE_SOURCE_DIR}/tools/lrclib-standin/standin.py
                     --records ${CMAKE_SOURCE_DIR}/tools/lrclib-standin/records.json ${group})
    set_tests_properties(online_${group} PROPERTIES LABELS online TIMEOUT 300
                         ENVIRONMENT "ZORLYRICS_LOOPBACK_ONLY=1")
endforeach()

if(ZOR_FUZZ AND EXISTS ${CMAKE_SOURCE_DIR}/tests/fuzz/CMakeLists.txt)
    add_subdirectory(tests/fuzz)
endif()
if(ZOR_BENCH AND EXISTS ${CMAKE_SOURCE_DIR}/bench/CMakeLists.txt)
    add_subdirectory(bench)
endif()

add_test(NAME layering.core_includes
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/layering/check-core-includes.sh ${CMAKE_SOURCE_DIR})
set_tests_properties(layering.core_includes PROPERTIES LABELS unit)
