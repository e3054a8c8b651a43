# Cross build for 32-bit Windows; tests run under the project's Wine sandbox wrapper.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-i686-plain.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
