# Windows-side test executables run under Wine, one ctest test per exe (a
# test exe starts in a fraction of a second once the wineserver is up).
# A setup fixture starts Xvfb, a private WINEPREFIX and a persistent
# wineserver; a cleanup fixture stops them.
set(SWL_TOOLS_DIR ${CMAKE_CURRENT_LIST_DIR}/../tools)

# The test executables every Windows build tree produces, as name=relative path.
set(SWL_WINE_TEST_EXES
  "win=tests/win/swl_win_tests.exe"
  "e2e=tests/e2e/swl_e2e_tests.exe")

function(swl_register_wine_tests tree)
  set(state ${CMAKE_BINARY_DIR}/wine-session)
  add_test(NAME wine.setup COMMAND ${SWL_TOOLS_DIR}/wine-session start ${state})
  set_tests_properties(wine.setup PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
  add_test(NAME wine.cleanup COMMAND ${SWL_TOOLS_DIR}/wine-session stop ${state})
  set_tests_properties(wine.cleanup PROPERTIES FIXTURES_CLEANUP wine)
  foreach(entry ${SWL_WINE_TEST_EXES})
    string(REPLACE "=" ";" parts "${entry}")
    list(GET parts 0 name)
    list(GET parts 1 rel)
    add_test(NAME wine.${name}
             COMMAND ${SWL_TOOLS_DIR}/winrun ${state} ${tree}/${rel} --gtest_color=no
             WORKING_DIRECTORY ${tree})
    set_tests_properties(wine.${name} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 600 RUN_SERIAL ON)
  endforeach()
endfunction()
