# The release package for publishers: `cmake --build <build> --target package`
# writes one zip into the build folder with the two exes as this build made them,
# example settings, the publisher's guide and SHA256SUMS over all of them.
set(release_dir ${PROJECT_SOURCE_DIR}/tools/release)
# Written with CR LF, as Windows editors expect; the settings examples are
# stored that way already, since the launcher reads CR LF lines.
configure_file(${release_dir}/PUBLISHER-GUIDE.txt.in ${PROJECT_BINARY_DIR}/release/PUBLISHER-GUIDE.txt
  @ONLY NEWLINE_STYLE CRLF)

set(release_documents
  ${release_dir}/ServerInfo.ini ${release_dir}/window.ini ${PROJECT_BINARY_DIR}/release/PUBLISHER-GUIDE.txt)
install(TARGETS Launcher launcher-settings RUNTIME DESTINATION .)
install(FILES ${release_documents} DESTINATION .)

# The names of everything installed above, which SHA256SUMS lists.
set(release_files $<TARGET_FILE_NAME:Launcher> $<TARGET_FILE_NAME:launcher-settings>)
foreach(document IN LISTS release_documents)
  get_filename_component(name ${document} NAME)
  list(APPEND release_files ${name})
endforeach()
# Runs after the files above are in place, in the folder the package is made from.
install(CODE "
  set(release_files \"${release_files}\")
  set(root \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\")
  set(sums \"\")
  foreach(name IN LISTS release_files)
    file(SHA256 \"\${root}/\${name}\" hash)
    string(APPEND sums \"\${hash}  \${name}\\n\")
  endforeach()
  file(WRITE \"\${root}/SHA256SUMS\" \"\${sums}\")
")

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Tarnhold-Launcher)
set(CPACK_PACKAGE_VENDOR Tarnhold)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_SOURCE_GENERATOR "")
include(CPack)
