# Compile check, run by ctest as a script:
#   cmake -DCOMPILER=... -DFLAGS="..." -DSOURCE=file.cpp -DEXPECT="text" -P ExpectCompileFailure.cmake
# SOURCE is compiled for syntax only, twice: with KELO_COMPILE_CHECK_CONTROL defined it must
# compile; without it it must fail, with EXPECT in the compiler's messages (so a failure for
# any other reason, such as a missing header, does not pass).
separate_arguments(flags UNIX_COMMAND "${FLAGS}")

execute_process(COMMAND ${COMPILER} ${flags} -fsyntax-only -DKELO_COMPILE_CHECK_CONTROL ${SOURCE}
                RESULT_VARIABLE rc ERROR_VARIABLE out OUTPUT_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "The control case of ${SOURCE} must compile:\n${out}")
endif()

execute_process(COMMAND ${COMPILER} ${flags} -fsyntax-only ${SOURCE}
                RESULT_VARIABLE rc ERROR_VARIABLE out OUTPUT_VARIABLE out)
if(rc EQUAL 0)
  message(FATAL_ERROR "${SOURCE} compiled, but must be rejected.")
endif()
string(FIND "${out}" "${EXPECT}" pos)
if(pos EQUAL -1)
  message(FATAL_ERROR "${SOURCE} failed without \"${EXPECT}\":\n${out}")
endif()
message(STATUS "${SOURCE} rejected as expected.")
