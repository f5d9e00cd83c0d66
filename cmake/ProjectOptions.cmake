# Compiler settings shared by every target of the project's own code.

# Warnings are errors in the project's own test and CI builds (tools/test.sh turns
# this on), on our own code only, not on GoogleTest or the benchmark's comparison
# libraries. Elsewhere they stay warnings, so that another compiler's false
# positive cannot break a user's build.
option(LAUNCHER_WARNINGS_AS_ERRORS "Treat warnings in the project's own code as errors" OFF)
function(launcher_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra $<$<BOOL:${LAUNCHER_WARNINGS_AS_ERRORS}>:-Werror>)
endfunction()

# Windows executables are linked statically against the compiler's run-time, so
# that they need nothing but the DLLs every Windows has.
function(launcher_static_windows_exe target)
  target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
  if(CMAKE_BUILD_TYPE STREQUAL "Release" OR CMAKE_BUILD_TYPE STREQUAL "MinSizeRel")
    target_link_options(${target} PRIVATE -s)
  endif()
endfunction()

if(LAUNCHER_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

# The launcher throws and catches nothing and asks for no run-time type
# information; leaving exception tables and type information out of the Windows
# builds keeps the statically linked exe small. A failed allocation still ends
# the process, as an uncaught exception would.
if(WIN32)
  add_compile_options(-fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables)
endif()

# The Windows builds are reproducible: the same sources give the same bytes
# wherever and whenever they are built, so that a publisher can check a shipped
# exe against this source. The linker writes no time stamp into the PE header
# (and so the checksum no longer changes with it), and the compiler writes the
# source and build folders into the debug information and __FILE__ as "src" and
# "build" instead of their real paths.
if(WIN32)
  add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=src -ffile-prefix-map=${PROJECT_BINARY_DIR}=build)
  add_link_options(-Wl,--no-insert-timestamp)
endif()
