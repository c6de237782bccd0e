# Host build: the core against in-memory doubles, unit tests with GoogleTest.
find_package(GTest REQUIRED)

if(KELVANO_SANITIZE)
  set(sanitize -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  target_compile_options(kelvano_core PRIVATE ${sanitize})
endif()

file(GLOB KELVANO_DOUBLES_SOURCES CONFIGURE_DEPENDS tests/doubles/*.cpp)
add_library(kelvano_doubles STATIC ${KELVANO_DOUBLES_SOURCES})
target_include_directories(kelvano_doubles PUBLIC tests/doubles)
target_link_libraries(kelvano_doubles PUBLIC kelvano_core)

file(GLOB KELVANO_UNIT_SOURCES CONFIGURE_DEPENDS tests/unit/*.cpp)
add_executable(unit_tests ${KELVANO_UNIT_SOURCES})
target_link_libraries(unit_tests PRIVATE kelvano_doubles GTest::gtest_main)
if(KELVANO_SANITIZE)
  foreach(t kelvano_doubles unit_tests)
    target_compile_options(${t} PRIVATE ${sanitize})
  endforeach()
  target_link_options(unit_tests PRIVATE ${sanitize})
endif()
include(GoogleTest)
gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 30)
