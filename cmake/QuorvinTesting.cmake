# quorvin_add_test(NAME SOURCES ... LIBS ...)
# One GoogleTest program, run by ctest as one test. Every test runs on Qt's offscreen platform and
# knows where the third-party picture corpus would be (tests that use it skip when it is absent).
set(QUORVIN_CORPUS_DIR "${PROJECT_SOURCE_DIR}/../shared/corpus" CACHE PATH "Third-party image corpora")
set(QUORVIN_TEST_RUNTIME_DIR "${CMAKE_BINARY_DIR}/xdg-runtime")
file(MAKE_DIRECTORY "${QUORVIN_TEST_RUNTIME_DIR}")
file(CHMOD "${QUORVIN_TEST_RUNTIME_DIR}" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)

function(quorvin_add_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    QUORVIN_CORPUS_DIR="${QUORVIN_CORPUS_DIR}"
    QUORVIN_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    QUORVIN_BINARY_DIR="${CMAKE_BINARY_DIR}")
  add_test(NAME ${name} COMMAND ${name})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 600)
  endif()
  set_tests_properties(${name} PROPERTIES
    TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${QUORVIN_TEST_RUNTIME_DIR};LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0;ASAN_OPTIONS=detect_leaks=1:abort_on_error=0;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
endfunction()
