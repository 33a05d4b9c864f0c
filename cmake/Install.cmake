# Installing: the player and the four tools in bin/, the sample demo's Data/ tree in
# share/quintaval/demo/ (where an installed program finds it, see core/demo_folder.h), the
# hand-written sources quintaval-make-demo copies in share/quintaval/sources/, manual
# pages, a desktop entry with the banner as its icon, and the documentation.
# `cpack -G DEB` in the build folder packages the same files for Debian. A Windows build
# installs a release folder instead (cmake/WindowsRelease.cmake).
if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/WindowsRelease.cmake)
  return()
endif()

set(qv_programs quintaval)
foreach(tool quintaval-capture quintaval-tracks quintaval-inspect quintaval-make-demo)
  if(TARGET ${tool})
    list(APPEND qv_programs ${tool})
  endif()
endforeach()
install(TARGETS ${qv_programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The build generates the tree before installing; its generator marker stays behind.
install(DIRECTORY ${QV_DEMO_DATA_DIR} DESTINATION ${CMAKE_INSTALL_DATADIR}/quintaval/demo
        PATTERN .quintaval-make-demo EXCLUDE)
foreach(folder maya models text sync)
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/${folder} DESTINATION ${CMAKE_INSTALL_DATADIR}/quintaval/sources)
endforeach()

# Manual pages, compressed as Debian installs them.
file(GLOB qv_man_pages CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/man/*.1)
set(qv_man_outputs)
foreach(page ${qv_man_pages})
  get_filename_component(name ${page} NAME)
  set(output ${CMAKE_BINARY_DIR}/man/${name}.gz)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND sh -c "gzip -9n < \"$0\" > \"$1\"" ${page} ${output}
    DEPENDS ${page}
    VERBATIM)
  list(APPEND qv_man_outputs ${output})
endforeach()
add_custom_target(man_pages ALL DEPENDS ${qv_man_outputs})
install(FILES ${qv_man_outputs} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/quintaval.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${QV_ICON} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs/ DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The Debian package. Its dependencies are what dpkg-shlibdeps finds the programs link.
set(CPACK_PACKAGE_NAME quintaval)
set(CPACK_PACKAGE_VENDOR "Quintaval")
set(CPACK_PACKAGE_CONTACT "Quintaval developers <quintaval@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "real-time demo player with its authoring tools")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Quintaval plays a demo: one piece of music and, locked to it, scenes directed by keyed sync\n"
       "tracks - picture sequences, a flight along a path over lit models shaken by the music's\n"
       "spectrum, and a bitmap-font text overlay. A sample demo is included. The tools compile sync\n"
       "track sheets, inspect data files, render a demo offline to PNG or MP4, and generate the\n"
       "sample demo.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY quintaval)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# quintaval-capture writes MP4 through the ffmpeg program.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS ffmpeg)
set(CPACK_STRIP_FILES ON)
include(CPack)
