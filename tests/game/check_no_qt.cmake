# Fails when a Qt-free library's link line, or a test binary built on it, reaches Qt.
# -DLIBRARY=<name> -DLINK_LIBRARIES=<its link line> -DBINARY=<a test program using it>
if(LINK_LIBRARIES MATCHES "Qt")
  message(FATAL_ERROR "${LIBRARY} links against Qt: ${LINK_LIBRARIES}")
endif()
execute_process(COMMAND ldd ${BINARY} OUTPUT_VARIABLE libraries RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "ldd failed on ${BINARY}")
endif()
if(libraries MATCHES "libQt")
  message(FATAL_ERROR "${BINARY} (built on ${LIBRARY}) loads Qt:\n${libraries}")
endif()
message(STATUS "no Qt in ${LIBRARY}")
