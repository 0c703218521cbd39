# The layer check must catch each fault planted in tests/layers/planted/src:
# an upward include, Qt in a Qt-free layer, an upward link and a folder the
# table does not name, and fail.
execute_process(
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PLANTED} -DTABLE=${TABLE} -P ${CHECK}
  RESULT_VARIABLE result ERROR_VARIABLE output OUTPUT_VARIABLE output)
if(result EQUAL 0)
  message(FATAL_ERROR "the layer check passed the planted faults:\n${output}")
endif()
foreach(expected
    "src/card/upward.cpp: #include \"window/main_window.h\": card core may not use window"
    "src/register/with_qt.h: #include <QString>: register has no Qt"
    "src/card/CMakeLists.txt: links unra5_window (window), which card core may not use"
    "src/gadgets/: a folder without a row in the layer table")
  string(FIND "${output}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the layer check missed: ${expected}\nIt said:\n${output}")
  endif()
endforeach()
