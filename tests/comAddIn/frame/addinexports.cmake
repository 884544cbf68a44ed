# cmake -DLIBRARY=<add-in library> -P addinexports.cmake
# Fails unless the library's dynamic symbol table defines the four functions of an add-in
# library and nothing else.
find_program(NM nm REQUIRED)
execute_process(COMMAND ${NM} -D --defined-only --format=posix ${LIBRARY}
  OUTPUT_VARIABLE listing ERROR_VARIABLE error RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "nm could not read ${LIBRARY}: ${error}")
endif()

string(REGEX MATCHALL "[^\n]+" lines "${listing}")
set(exported "")
foreach(line IN LISTS lines)
  string(REGEX REPLACE "[@ ].*" "" name "${line}")
  list(APPEND exported ${name})
endforeach()
list(SORT exported)

set(expected murvelAddInCanUnloadNow murvelAddInGetClassObject murvelAddInRegister
             murvelAddInUnregister)
if(NOT exported STREQUAL expected)
  list(LENGTH exported count)
  list(SUBLIST exported 0 20 shown)
  list(JOIN shown "\n  " shown)
  message(FATAL_ERROR "${LIBRARY} exports ${count} symbols, among them:\n  ${shown}")
endif()
