# lira_program(NAME LIBRARY [E2E_NEEDS program...])
#
# One program of the family, laid out as every program folder is: its parts
# (every .cc but main.cc, the tests and the fuzz target) in the library
# LIBRARY, which the program, its unit tests and its fuzz target share.
#   - NAME_test: every *_test.cc but the end-to-end ones; a *-posix_test.cc
#     only where POSIX is (it needs pipes, /dev/full or mkdtemp).
#   - NAME_e2e_test: every *_e2e_test.cc, with the ctest label "e2e"; it runs
#     the built programs (NAME and E2E_NEEDS) through a POSIX shell, so it is
#     built on POSIX only. The Windows programs are run by the same binary
#     under Wine (scripts/test-windows.sh).
#   - NAME_fuzz: NAME_fuzz.cc with libFuzzer, when LIRA_FUZZ is on.
# The program NAME alone is installed, into bin/.
function(lira_program name library)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "E2E_NEEDS")
  set(dir ${CMAKE_CURRENT_SOURCE_DIR})

  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cc)
  list(FILTER sources EXCLUDE REGEX "(_test|_perftest|_fuzz|/main)\\.cc$")
  add_library(${library} STATIC ${sources})
  target_link_libraries(${library} PUBLIC lira_common)

  add_executable(${name} main.cc)
  target_link_libraries(${name} PRIVATE ${library})
  # `cmake --install` puts the four programs side by side in PREFIX/bin.
  install(TARGETS ${name} RUNTIME DESTINATION bin)

  if(LIRA_TESTS)
    file(GLOB unit_tests CONFIGURE_DEPENDS ${dir}/*_test.cc)
    list(FILTER unit_tests EXCLUDE REGEX "_e2e_test\\.cc$")
    if(WIN32)
      list(FILTER unit_tests EXCLUDE REGEX "-posix_test\\.cc$")
    endif()
    if(unit_tests)
      add_executable(${name}_test ${unit_tests})
      target_link_libraries(${name}_test PRIVATE ${library} GTest::gtest_main)
      gtest_discover_tests(${name}_test DISCOVERY_TIMEOUT 60)
    endif()

    file(GLOB e2e_tests CONFIGURE_DEPENDS ${dir}/*_e2e_test.cc)
    if(e2e_tests AND NOT WIN32)
      add_executable(${name}_e2e_test ${e2e_tests})
      target_link_libraries(${name}_e2e_test PRIVATE lira_test_support GTest::gtest_main)
      add_dependencies(${name}_e2e_test ${name} ${arg_E2E_NEEDS})
      gtest_discover_tests(${name}_e2e_test DISCOVERY_TIMEOUT 60 PROPERTIES LABELS e2e)
    endif()
  endif()

  if(LIRA_FUZZ AND EXISTS ${dir}/${name}_fuzz.cc)
    add_executable(${name}_fuzz ${name}_fuzz.cc)
    target_link_libraries(${name}_fuzz PRIVATE ${library} lira_fuzz_support)
    target_link_options(${name}_fuzz PRIVATE -fsanitize=fuzzer)
  endif()
endfunction()
