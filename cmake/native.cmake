# Host build: the core against in-memory doubles; unit tests with GoogleTest, or, with
# KELVANO_FUZZ (clang), libFuzzer targets for the places where outside bytes enter.
if(KELVANO_SANITIZE)
  set(instrument -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
elseif(KELVANO_FUZZ)
  set(instrument -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
endif()
target_compile_options(kelvano_core PRIVATE ${instrument})

file(GLOB KELVANO_DOUBLES_SOURCES CONFIGURE_DEPENDS tests/doubles/*.cpp)
add_library(kelvano_doubles STATIC ${KELVANO_DOUBLES_SOURCES})
target_include_directories(kelvano_doubles PUBLIC tests/doubles)
target_link_libraries(kelvano_doubles PUBLIC kelvano_core)
target_compile_options(kelvano_doubles PRIVATE ${instrument})

if(KELVANO_FUZZ)
  set(KELVANO_FUZZ_SECONDS 60 CACHE STRING "How long each fuzz target runs as a test")
  foreach(name command_line registry_value)
    add_executable(${name}_fuzz tests/fuzz/${name}_fuzz.cpp)
    target_link_libraries(${name}_fuzz PRIVATE kelvano_doubles)
    target_compile_options(${name}_fuzz PRIVATE -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all)
    target_link_options(${name}_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
    # New inputs go to the build tree; the seeds in the repository are only read.
    set(work ${CMAKE_BINARY_DIR}/corpus/${name})
    file(MAKE_DIRECTORY ${work})
    add_test(NAME ${name}_fuzz
             COMMAND ${name}_fuzz -max_total_time=${KELVANO_FUZZ_SECONDS} -timeout=10 -rss_limit_mb=2048
                     -print_final_stats=1 ${work} ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/${name})
  endforeach()
  return()
endif()

find_package(GTest REQUIRED)
file(GLOB KELVANO_UNIT_SOURCES CONFIGURE_DEPENDS tests/unit/*.cpp)
add_executable(unit_tests ${KELVANO_UNIT_SOURCES})
target_link_libraries(unit_tests PRIVATE kelvano_doubles GTest::gtest_main)
target_compile_options(unit_tests PRIVATE ${instrument})
target_link_options(unit_tests PRIVATE ${instrument})
include(GoogleTest)
gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 30)
