# Tests of the Windows cross build: GoogleTest built from Debian's sources with the cross
# compiler, and every test program run under Wine.
set(MARQUILL_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH
    "GoogleTest's sources (Debian's googletest package), built with the cross compiler")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(${MARQUILL_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# One Wine prefix for the whole build folder, never the user's: Wine keeps its registry and
# its drive C: there (wine-run.sh puts the home beside it). No display: a test never shows a
# window.
if(CMAKE_CROSSCOMPILING)
  set(CMAKE_CROSSCOMPILING_EMULATOR env -u DISPLAY -u WAYLAND_DISPLAY
      WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix ${PROJECT_SOURCE_DIR}/tests/windows/wine-run.sh)
endif()
