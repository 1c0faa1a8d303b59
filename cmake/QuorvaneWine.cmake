# Runs the Windows build's tests under Wine. One prefix in the build tree,
# started once before the tests by the fixture quorvane_wine and stopped after
# them; quorvane_wine_tests(test...) puts tests into it.
set(QUORVANE_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(quorvaneWineEnvironment
    WINEPREFIX=${QUORVANE_WINEPREFIX}
    WINEDEBUG=-all
    "WINEDLLOVERRIDES=mscoree,mshtml=")

add_test(NAME WineSessionStart
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/wine-session.sh start ${QUORVANE_WINE} ${QUORVANE_WINESERVER} ${CMAKE_BINARY_DIR})
add_test(NAME WineSessionStop
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/wine-session.sh stop ${QUORVANE_WINE} ${QUORVANE_WINESERVER} ${CMAKE_BINARY_DIR})
set_tests_properties(WineSessionStart PROPERTIES
    FIXTURES_SETUP quorvane_wine ENVIRONMENT "${quorvaneWineEnvironment}" TIMEOUT 300)
set_tests_properties(WineSessionStop PROPERTIES
    FIXTURES_CLEANUP quorvane_wine ENVIRONMENT "${quorvaneWineEnvironment}" TIMEOUT 60)

function(quorvane_wine_tests)
    set_tests_properties(${ARGN} PROPERTIES
        FIXTURES_REQUIRED quorvane_wine
        ENVIRONMENT "${quorvaneWineEnvironment}"
        TIMEOUT 300)
endfunction()
