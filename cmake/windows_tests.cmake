# Tests of the Windows cross build: GoogleTest built from Debian's sources with the cross
# compiler, and every test program run under Wine.
set(MARQUILL_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH
    "GoogleTest's sources (Debian's googletest package), built with the cross compiler")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(${MARQUILL_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# One Wine prefix and one home for the whole build folder, never the user's: Wine keeps its
# registry and its drive C: there. No display: a test never shows a window.
if(CMAKE_CROSSCOMPILING)
  set(wine_home ${CMAKE_BINARY_DIR}/wine-home)
  file(MAKE_DIRECTORY ${wine_home}/config ${wine_home}/cache ${wine_home}/data)
  set(CMAKE_CROSSCOMPILING_EMULATOR
      env -u DISPLAY -u WAYLAND_DISPLAY WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix
          HOME=${wine_home} XDG_CONFIG_HOME=${wine_home}/config
          XDG_CACHE_HOME=${wine_home}/cache XDG_DATA_HOME=${wine_home}/data
          ${PROJECT_SOURCE_DIR}/tests/windows/wine-run.sh)
endif()
