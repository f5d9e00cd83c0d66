# Cross build for 64-bit Windows: the same sources, run by the end-to-end tests under Wine.
set(LAUNCHER_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
