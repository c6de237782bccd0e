# kelvano.exe loads user32, advapi32, ole32, oleaut32 and shell32 only when a mode first calls
# into them: a run that does nothing loads no more than kernel32 and the C run-time, and each
# mode only what it uses. Loading those DLLs is most of a start's cost. The delay-load helper
# loads them from System32 only.
#   kelvano_delay_load(target)
function(kelvano_delay_load target)
  set(dlls user32 advapi32 ole32 oleaut32 shell32)
  if(MSVC)
    foreach(dll ${dlls})
      target_link_options(${target} PRIVATE /DELAYLOAD:${dll}.dll)
    endforeach()
    target_link_libraries(${target} PRIVATE delayimp)
    return()
  endif()

  # mingw: delay-import libraries made by dlltool from the functions the program uses. The
  # .def files carry i686's stdcall sizes (name@N); x64 has no decoration. A function the
  # program starts to use must be added to its .def file, or it is imported the plain way.
  string(REGEX REPLACE "-g\\+\\+.*$" "" prefix "${CMAKE_CXX_COMPILER}")
  set(dlltool "${prefix}-dlltool")
  set(delay_libs)
  foreach(dll ${dlls})
    set(def ${CMAKE_CURRENT_BINARY_DIR}/delayload/${dll}.def)
    set(lib ${CMAKE_CURRENT_BINARY_DIR}/delayload/lib${dll}_delay.a)
    file(READ ${CMAKE_SOURCE_DIR}/cmake/delayload/${dll}.def text)
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
      string(REGEX REPLACE "@[0-9]+" "" text "${text}")
      set(kill_at)
    else()
      set(kill_at --kill-at)
    endif()
    file(WRITE ${def} "${text}")
    add_custom_command(OUTPUT ${lib}
                       COMMAND ${dlltool} --input-def ${def} --dllname ${dll}.dll ${kill_at} --output-delaylib ${lib}
                       DEPENDS ${CMAKE_SOURCE_DIR}/cmake/delayload/${dll}.def
                       COMMENT "Delay-import library for ${dll}.dll")
    list(APPEND delay_libs ${lib})
  endforeach()
  add_custom_target(${target}_delayload DEPENDS ${delay_libs})
  add_dependencies(${target} ${target}_delayload)
  # After kelvano_win32 on the link line (which needs them) and before the plain import
  # libraries it brings along, so these win.
  target_link_libraries(${target} PRIVATE ${delay_libs})
endfunction()
