# Windows-side test executables run under Wine, one ctest test per exe (a
# test exe starts in a fraction of a second once the wineserver is up).
# A setup fixture starts Xvfb, a private WINEPREFIX and a persistent
# wineserver; a cleanup fixture stops them. Where the machine runs 32-bit
# programs the prefix runs both widths, so one session serves every build
# tree; where it does not, tools/winrun skips the 32-bit tree's exes with
# exit code 77, which ctest reports as skipped, with the reason in the log.
set(SWL_TOOLS_DIR ${CMAKE_CURRENT_LIST_DIR}/../tools)
set(SWL_WINE_STATE ${CMAKE_BINARY_DIR}/wine-session)

# The test executables every Windows build tree produces, as name=relative path.
set(SWL_WINE_TEST_EXES
  "win=tests/win/swl_win_tests.exe"
  "e2e=tests/e2e/swl_e2e_tests.exe")

function(swl_add_wine_session)
  add_test(NAME wine.setup COMMAND ${SWL_TOOLS_DIR}/wine-session start ${SWL_WINE_STATE})
  set_tests_properties(wine.setup PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
  add_test(NAME wine.cleanup COMMAND ${SWL_TOOLS_DIR}/wine-session stop ${SWL_WINE_STATE})
  set_tests_properties(wine.cleanup PROPERTIES FIXTURES_CLEANUP wine)
endfunction()

# swl_register_wine_tests(TREE [PREFIX]): the test exes of the Windows build
# tree TREE, named wine.PREFIX.<name> (wine.<name> without a prefix).
function(swl_register_wine_tests tree)
  set(prefix wine)
  if(ARGC GREATER 1)
    set(prefix wine.${ARGV1})
  endif()
  foreach(entry ${SWL_WINE_TEST_EXES})
    string(REPLACE "=" ";" parts "${entry}")
    list(GET parts 0 name)
    list(GET parts 1 rel)
    add_test(NAME ${prefix}.${name}
             COMMAND ${SWL_TOOLS_DIR}/winrun ${SWL_WINE_STATE} ${tree}/${rel} --gtest_color=no
             WORKING_DIRECTORY ${tree})
    set_tests_properties(${prefix}.${name} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 600 RUN_SERIAL ON
                         SKIP_RETURN_CODE 77)
  endforeach()
endfunction()
