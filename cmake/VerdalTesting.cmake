# Helpers that register tests and benchmarks the same way everywhere.
#
# verdal_add_test(NAME <name> SOURCES <files...> [LIBS <targets...>] [QT] [TSAN] [SERIAL])
#   QT:     the test needs a QApplication; it runs on the offscreen platform at 800x600.
#   TSAN:   the test also belongs to the thread-sanitizer build (label "tsan").
#   SERIAL: the test runs on the real clock for long (a soak): ctest runs it alone, so that
#           it never shares the cores with the other tests of a sanitized build.
# verdal_add_bench(NAME <name> SOURCES <files...> [LIBS <targets...>])
#   A program that prints "figure NAME VALUE UNIT" lines; scripts/bench runs them all.

set(VERDAL_TEST_SUPPORT_DIR ${CMAKE_SOURCE_DIR}/tests/support)
set(VERDAL_TEST_ENV
    "QT_QPA_PLATFORM=offscreen:configfile=${VERDAL_TEST_SUPPORT_DIR}/screen800x600.json"
    "XDG_RUNTIME_DIR=${CMAKE_BINARY_DIR}/xdg-runtime"
    "LSAN_OPTIONS=suppressions=${VERDAL_TEST_SUPPORT_DIR}/lsan.supp:print_suppressions=0"
    "TSAN_OPTIONS=suppressions=${VERDAL_TEST_SUPPORT_DIR}/tsan.supp:halt_on_error=1"
    "UBSAN_OPTIONS=print_stacktrace=1")
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/xdg-runtime)
file(CHMOD ${CMAKE_BINARY_DIR}/xdg-runtime DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)

if(NOT TARGET tsan-tests)
  add_custom_target(tsan-tests)
endif()

function(verdal_add_test)
  cmake_parse_arguments(T "QT;TSAN;SERIAL" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock)
  if(T_QT)
    target_link_libraries(${T_NAME} PRIVATE verdal_qt_test_main)
    set_target_properties(${T_NAME} PROPERTIES AUTOMOC ON)
  else()
    target_link_libraries(${T_NAME} PRIVATE GTest::gtest_main)
  endif()
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES ENVIRONMENT "${VERDAL_TEST_ENV}" TIMEOUT 300)
  if(T_TSAN)
    set_tests_properties(${T_NAME} PROPERTIES LABELS tsan)
    add_dependencies(tsan-tests ${T_NAME})
  endif()
  if(T_SERIAL)
    set_tests_properties(${T_NAME} PROPERTIES RUN_SERIAL ON)
  endif()
endfunction()

function(verdal_add_bench)
  cmake_parse_arguments(B "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${B_NAME} ${B_SOURCES})
  target_link_libraries(${B_NAME} PRIVATE ${B_LIBS})
  set_target_properties(${B_NAME} PROPERTIES AUTOMOC ON)
  set_target_properties(${B_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/benches)
endfunction()
