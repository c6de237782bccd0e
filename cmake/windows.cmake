# Windows build: kelvano.exe, the Win32 platform layer, the stand-ins and the tests run under Wine.
enable_language(RC)

if(NOT MSVC)
  # Statically linked: nothing but Windows' own DLLs at run time.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()

add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)

file(GLOB KELVANO_WIN32_SOURCES CONFIGURE_DEPENDS src/platform/win32/*.cpp)
list(FILTER KELVANO_WIN32_SOURCES EXCLUDE REGEX "/entry\\.cpp$")
add_library(kelvano_win32 STATIC ${KELVANO_WIN32_SOURCES})
target_link_libraries(kelvano_win32 PUBLIC kelvano_core ole32 oleaut32 advapi32 shell32 user32 kernel32)

if(NOT MSVC)
  # Only what is used ends up in the exe.
  foreach(t kelvano_core kelvano_win32)
    target_compile_options(${t} PRIVATE -ffunction-sections -fdata-sections)
  endforeach()
endif()

set_source_files_properties(src/platform/win32/kelvano.rc PROPERTIES
  OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/src/platform/win32/kelvano.manifest)
add_executable(kelvano WIN32 src/platform/win32/entry.cpp src/platform/win32/kelvano.rc)
target_link_libraries(kelvano PRIVATE kelvano_win32)
include(cmake/delayload.cmake)
kelvano_delay_load(kelvano)
if(MSVC)
  target_link_options(kelvano PRIVATE /DYNAMICBASE /NXCOMPAT /MANIFEST:NO)
else()
  target_link_options(kelvano PRIVATE -municode -Wl,--dynamicbase,--nxcompat,--gc-sections $<$<CONFIG:MinSizeRel,Release>:-s>)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    target_link_options(kelvano PRIVATE -Wl,--high-entropy-va)
  endif()
endif()

if(NOT CMAKE_HOST_WIN32)
  add_test(NAME kelvano_pe_check COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-pe.sh $<TARGET_FILE:kelvano>)
endif()

# GoogleTest: built from Debian's sources for the cross target; with Visual Studio, an
# installed GoogleTest (vcpkg or similar), else kelvano.exe alone is built.
if(MSVC)
  find_package(GTest CONFIG QUIET)
  if(NOT GTest_FOUND)
    message(STATUS "GoogleTest not found: building kelvano.exe only")
    return()
  endif()
  foreach(name gtest gtest_main)
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE GTest::${name})
  endforeach()
else()
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()

file(GLOB KELVANO_WINDOWS_TEST_SOURCES CONFIGURE_DEPENDS tests/windows/*.cpp)
if(KELVANO_WINDOWS_TEST_SOURCES)
  add_executable(windows_tests ${KELVANO_WINDOWS_TEST_SOURCES})
  target_link_libraries(windows_tests PRIVATE kelvano_win32 gtest_main)
  # One Wine start for the whole executable.
  add_test(NAME windows_tests COMMAND windows_tests)
endif()

foreach(dir standins standins/host_app tests/e2e bench)
  if(EXISTS ${CMAKE_SOURCE_DIR}/${dir}/CMakeLists.txt)
    add_subdirectory(${dir})
  endif()
endforeach()
