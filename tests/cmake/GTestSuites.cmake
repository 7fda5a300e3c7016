# Registers a GoogleTest program with CTest one process per test suite
# rather than one per test: every test of a suite runs in the same process,
# so the program starts (and, for the graphics tests, connects to the display
# and loads the OpenGL driver) a few dozen times instead of hundreds. The
# suites are read from the program's own --gtest_list_tests each time ctest
# starts, so a new test or suite is picked up without running CMake again.
#
# A suite's entry is named after the suite ("GamePassTest",
# "WorkMillisecondsPerPass/Playthrough"); its output names each test and a
# failing one appears in the program's summary ("[  FAILED  ] Suite.Test")
# with `ctest --output-on-failure`. One test alone:
# `<program> --gtest_filter=Suite.Test` from the repository root.
#
#   glimmet_gtest_suites(<target>
#     [WORKING_DIRECTORY <dir>] [LABELS <label>...] [ENVIRONMENT <VAR=value>...]
#     [EXCLUDE <suite>...]      suites registered some other way
#     [ONE_BY_ONE <suite>...]   suites whose tests take seconds each: one
#                               process per test (with all its parameter
#                               values) spreads them over ctest's slots
#     [TOGETHER <name>]         the program's other suites in one entry of
#                               this name, which spares each suite a start
#                               of the program: its output names the suites,
#                               `ctest -R <name>` or
#                               `<program> --gtest_filter=Suite.*` runs them
#     [APART <suite>...])       suites that take long enough to be worth a
#                               start of their own: an entry each beside the
#                               TOGETHER one, so that ctest's slots share
#                               the work evenly
#
# Disabled tests stay out, as in a plain run of the program. Without timings
# from an earlier run (a clean build) ctest starts the entries of highest
# COST first: a suite's is the number of its tests (the TOGETHER entry's
# the sum of theirs), a test of a ONE_BY_ONE suite counts as several.
function(glimmet_gtest_suites target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "WORKING_DIRECTORY;TOGETHER"
    "LABELS;ENVIRONMENT;EXCLUDE;ONE_BY_ONE;APART")
  set(include_file "${CMAKE_CURRENT_BINARY_DIR}/${target}_suites.cmake")
  file(GENERATE OUTPUT "${include_file}" CONTENT
"set(suites_program [==[$<TARGET_FILE:${target}>]==])
set(suites_working_directory [==[${arg_WORKING_DIRECTORY}]==])
set(suites_labels [==[${arg_LABELS}]==])
set(suites_environment [==[${arg_ENVIRONMENT}]==])
set(suites_exclude [==[${arg_EXCLUDE}]==])
set(suites_one_by_one [==[${arg_ONE_BY_ONE}]==])
set(suites_together [==[${arg_TOGETHER}]==])
set(suites_apart [==[${arg_APART}]==])
include([==[${CMAKE_CURRENT_FUNCTION_LIST_DIR}/RegisterGTestSuites.cmake]==])
")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${include_file}")
endfunction()
