# How a GoogleTest program of tests/ is registered with CTest.
include(GoogleTest)

# zet_add_gtests(TARGET PREFIX [ENVIRONMENT VAR=VALUE...]): every test of TARGET becomes a CTest
# test named PREFIX.Suite.Test, a parameterised one PREFIX.Instance/Suite.Test/CaseName (the
# case's name from its name generator, never the bytes of its value). In a sanitizer tree the
# whole program is one CTest test, PREFIX.all, instead: a process start under the sanitizers costs
# more than most tests (about 80 ms of CPU each, a minute and a half for the core's thousand
# tests), and one run per program finds the same.
function(zet_add_gtests target prefix)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "ENVIRONMENT")
  # Files a test's build moves to the trash go to a trash of the build tree, never the user's.
  list(APPEND arg_ENVIRONMENT "XDG_DATA_HOME=${CMAKE_BINARY_DIR}/test-data-home")
  if(ZETGALLERY_SANITIZE)
    add_test(NAME ${prefix}.all COMMAND ${target})
    set_tests_properties(${prefix}.all PROPERTIES ENVIRONMENT "${arg_ENVIRONMENT}")
    return()
  endif()
  # A parameterised test whose case type has no printer shows "N-byte object <...>" when it
  # fails; the test list shows every case's value, so that is caught before a case fails.
  add_test(NAME ${prefix}.${target}.CasesPrintTheirValues COMMAND ${target} --gtest_list_tests)
  set_tests_properties(${prefix}.${target}.CasesPrintTheirValues PROPERTIES
    FAIL_REGULAR_EXPRESSION "-byte object <" ENVIRONMENT "${arg_ENVIRONMENT}")
  gtest_discover_tests(${target} TEST_PREFIX "${prefix}." DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES)
  # The environment of the discovered tests is set by a script CTest runs after it has added
  # them: gtest_discover_tests hands its PROPERTIES on as a plain list, which keeps only the
  # first variable of an environment.
  set(script "${CMAKE_CURRENT_BINARY_DIR}/${target}_environment.cmake")
  file(WRITE "${script}" "foreach(test IN LISTS ${target}_TESTS)\n"
    "  set_tests_properties(\"\${test}\" PROPERTIES ENVIRONMENT [==[${arg_ENVIRONMENT}]==])\n"
    "endforeach()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${script}")
endfunction()
