# Libraries whose DLL loads on the first call of one of its functions, not with the program:
# COM is first needed after Kelo's first paint, and loading its DLLs costs a Windows
# program's start a good part of its time.
#   kelo_delay_load(<target> <dll> <function>...)
# makes an interface library <target> through which the functions named are delay-loaded;
# any other function of the DLL is imported as usual, the DLL then loading with the program.
function(kelo_delay_load target dll)
  add_library(${target} INTERFACE)
  if(MSVC)
    target_link_libraries(${target} INTERFACE ${dll} delayimp)
    target_link_options(${target} INTERFACE /DELAYLOAD:${dll}.dll)
    return()
  endif()
  set(dir ${CMAKE_BINARY_DIR}/delayload)
  list(JOIN ARGN "\n" exports)
  file(WRITE ${dir}/${dll}.def "LIBRARY ${dll}.dll\nEXPORTS\n${exports}\n")
  execute_process(COMMAND ${KELO_MINGW_PREFIX}-dlltool --input-def ${dir}/${dll}.def
                          --output-delaylib ${dir}/lib${dll}_delay.a --dllname ${dll}.dll
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "dlltool could not make the delay-load library of ${dll}.dll")
  endif()
  target_link_libraries(${target} INTERFACE ${dir}/lib${dll}_delay.a ${dll})
endfunction()
