# The two kinds of test program, each added one way. A test program links
# only the layers it tests (and what those layers link themselves), so a test
# that reaches into a layer it does not name fails to link.
#
#   unra5_add_gtest(NAME SOURCES file... LIBRARIES layer...)
#   unra5_add_qt_test(NAME SOURCES file... LIBRARIES layer... [READS_CARD_PROGRAM])
#
# Sources are named relative to the calling folder; every test program sees
# tests/ on its include path (support/…). NAME is the program and its CTest
# entry (a Qt Test program), or the program whose cases become the CTest
# entries (GoogleTest).
include(GoogleTest)

# GoogleTest on the core layers. Listing the cases of a cross-built program
# would run it at build time; under Wine the whole program is one CTest entry
# instead (its output names every failing case).
function(unra5_add_gtest name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SOURCES;LIBRARIES")
  add_executable(${name} ${arg_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${arg_LIBRARIES} GTest::gtest_main)
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  else()
    gtest_discover_tests(${name} WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR} DISCOVERY_TIMEOUT 60)
  endif()
endfunction()

# Qt Test on the widget layers, one CTest entry per program, on the offscreen
# platform. Wine hands no QT_ variable of the Unix environment on to a Windows
# program (they are taken to be meant for a Unix Qt); one named WINEQT_…
# arrives there as QT_…. READS_CARD_PROGRAM: the test reads the version
# block of the built card program, whose path it gets as UNRA5_CARD_EXE.
function(unra5_add_qt_test name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "READS_CARD_PROGRAM" "" "SOURCES;LIBRARIES")
  add_executable(${name} ${arg_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${arg_LIBRARIES} Qt6::Widgets Qt6::Test)
  if(arg_READS_CARD_PROGRAM)
    target_compile_definitions(${name} PRIVATE UNRA5_CARD_EXE="$<TARGET_FILE:unra5-card>")
    add_dependencies(${name} unra5-card)
  endif()
  add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  set(environment QT_QPA_PLATFORM=offscreen)
  if(CMAKE_CROSSCOMPILING AND WIN32)
    list(APPEND environment WINEQT_QPA_PLATFORM=offscreen)
  endif()
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${environment}")
endfunction()
