# ovq_add_test(NAME name SOURCES ... LIBS ... [SERIAL] [ONE_PROCESS] [XVFB])
# SERIAL: the cases run alone, for tests that change machine-wide state.
# ONE_PROCESS: the executable is one ctest test that runs every case in one
# process (suites that start a private scheduler once for all their cases).
# XVFB: as ONE_PROCESS, on a private X server (xvfb-run) with Qt's xcb platform.
# One GoogleTest executable per module; every test case is registered with ctest.
if(OVQ_BUILD_TESTS)
  enable_testing()
  find_package(GTest REQUIRED)
  include(GoogleTest)
endif()

function(ovq_add_test)
  cmake_parse_arguments(T "SERIAL;ONE_PROCESS;XVFB" "NAME" "SOURCES;LIBS" ${ARGN})
  if(NOT OVQ_BUILD_TESTS)
    return()
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${T_NAME} PRIVATE
    OVQ_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    OVQ_BINARY_DIR="${PROJECT_BINARY_DIR}")
  set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/tests)
  set(serial FALSE)
  if(T_SERIAL)
    set(serial TRUE)
  endif()
  # Sanitized runs suppress the leaks of third-party libraries only
  # (tests/support/lsan-suppressions.txt).
  set(environment "")
  if(OVQ_SANITIZE)
    set(environment
        "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/support/lsan-suppressions.txt:print_suppressions=0")
  endif()
  if(T_XVFB)
    add_test(NAME ${T_NAME} COMMAND xvfb-run -a -s "-screen 0 1280x1024x24" $<TARGET_FILE:${T_NAME}>)
    set_tests_properties(${T_NAME} PROPERTIES TIMEOUT 600 ENVIRONMENT "${environment};QT_QPA_PLATFORM=xcb")
    return()
  endif()
  if(T_ONE_PROCESS)
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    set_tests_properties(${T_NAME} PROPERTIES TIMEOUT 600 RUN_SERIAL ${serial} ENVIRONMENT "${environment}")
    return()
  endif()
  gtest_discover_tests(${T_NAME} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES NO_PRETTY_TYPES
                       PROPERTIES TIMEOUT 300 RUN_SERIAL ${serial} ENVIRONMENT "${environment}")
endfunction()
