# Run by ctest (through the file glimmet_gtest_suites writes): lists the
# program's tests and adds one test per suite, or per test of the suites
# named one by one (all values of a parameterised test in one). Expects the suites_* variables set by that file.
cmake_policy(VERSION 3.16...3.25)

# How many plain tests one test of a ONE_BY_ONE suite is worth, for the order
# of a run without earlier timings.
set(one_by_one_cost 10)

if(NOT EXISTS "${suites_program}")
  add_test("${suites_program}_NOT_BUILT" "${suites_program}_NOT_BUILT")
  return()
endif()

execute_process(
  COMMAND "${suites_program}" --gtest_list_tests
  WORKING_DIRECTORY "${suites_working_directory}"
  OUTPUT_VARIABLE listing
  RESULT_VARIABLE status
  TIMEOUT 60)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${suites_program} --gtest_list_tests failed (${status}):\n${listing}")
endif()

function(add_gtest_entry name filter cost)
  add_test("${name}" "${suites_program}" "--gtest_filter=${filter}")
  set_tests_properties("${name}" PROPERTIES
    WORKING_DIRECTORY "${suites_working_directory}"
    LABELS "${suites_labels}"
    ENVIRONMENT "${suites_environment}"
    COST ${cost}
    SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\]")
endfunction()

# The suite's tests that run (not disabled) go out with the suite's line.
function(flush_suite)
  if(suite STREQUAL "" OR NOT tests OR suite IN_LIST suites_exclude)
    return()
  endif()
  list(LENGTH tests count)
  if(suite IN_LIST suites_one_by_one)
    # A parameterised test's values ("Test/0", "Test/1") share a process.
    list(TRANSFORM tests REPLACE "/.*" "" OUTPUT_VARIABLE names)
    list(REMOVE_DUPLICATES names)
    foreach(name IN LISTS names)
      set(values "${tests}")
      list(FILTER values INCLUDE REGEX "^${name}(/|$)")
      list(LENGTH values count)
      math(EXPR cost "${count} * ${one_by_one_cost}")
      set(filter "${suite}.${name}")
      if(NOT values STREQUAL name)
        set(filter "${filter}/*")
      endif()
      add_gtest_entry("${suite}.${name}" "${filter}" ${cost})
    endforeach()
  elseif(suites_together AND NOT suite IN_LIST suites_apart)
    set(together_filter "${together_filter}${suite}.*:" PARENT_SCOPE)
    math(EXPR together_cost "${together_cost} + ${count}")
    set(together_cost ${together_cost} PARENT_SCOPE)
  else()
    add_gtest_entry("${suite}" "${suite}.*" ${count})
  endif()
endfunction()

# "Suite." on a line of its own, then its tests indented, each perhaps
# followed by "  # GetParam() = ..."; "Running main() ..." may come first.
string(REPLACE ";" "\\;" listing "${listing}")
string(REPLACE "\n" ";" lines "${listing}")
set(suite "")
set(tests "")
set(together_filter "")
set(together_cost 0)
foreach(line IN LISTS lines)
  if(line MATCHES "^([^ #][^ ]*)\\.$")
    flush_suite()
    set(suite "${CMAKE_MATCH_1}")
    set(tests "")
  elseif(line MATCHES "^  ([^ ]+)" AND NOT suite STREQUAL "")
    set(test "${CMAKE_MATCH_1}")
    if(NOT test MATCHES "^DISABLED_" AND NOT suite MATCHES "^(.*/)?DISABLED_")
      list(APPEND tests "${test}")
    endif()
  endif()
endforeach()
flush_suite()
# The suites run together count as their tests do apart.
if(suites_together AND together_filter)
  string(REGEX REPLACE ":$" "" together_filter "${together_filter}")
  add_gtest_entry("${suites_together}" "${together_filter}" ${together_cost})
endif()
