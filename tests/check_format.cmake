# Fails when a C++ source of the project differs from what clang-format makes of it.
file(GLOB_RECURSE sources ${ROOT}/*.cpp ${ROOT}/*.h)
list(FILTER sources EXCLUDE REGEX "/build[^/]*/")
execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${sources}
    RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "Not formatted:\n${errors}")
endif()
