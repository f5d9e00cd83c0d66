# The two Windows builds of the same sources, driven from the native build so that
# one configure, one build and one ctest cover all three. The i686 build is the
# shipped product; the x86_64 build is the one the end-to-end tests run under Wine.
include(ExternalProject)

foreach(arch i686 x86_64)
  set(LAUNCHER_WIN_${arch}_DIR ${CMAKE_BINARY_DIR}/win-${arch})
  ExternalProject_Add(win-${arch}
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${LAUNCHER_WIN_${arch}_DIR}
    CMAKE_ARGS
      -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/mingw-${arch}.cmake
      -DCMAKE_BUILD_TYPE=MinSizeRel
      -DLAUNCHER_PAGE_SERVER=${LAUNCHER_PAGE_SERVER}
      -DLAUNCHER_WARNINGS_AS_ERRORS=${LAUNCHER_WARNINGS_AS_ERRORS}
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    USES_TERMINAL_BUILD ON)
endforeach()
