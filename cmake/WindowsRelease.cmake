# The Windows release: one folder that runs where it is unzipped, with nothing to install.
# quintaval.exe and the tools beside the sample demo's Data/ (where the programs look for
# it, see core/demo_folder.h) and a short README.txt. `cpack -G ZIP` in the build folder
# packs it as quintaval-VERSION-windows-x64.zip.
set(qv_programs quintaval)
foreach(tool quintaval-capture quintaval-tracks quintaval-inspect)
  if(TARGET ${tool})
    list(APPEND qv_programs ${tool})
  endif()
endforeach()
install(TARGETS ${qv_programs} RUNTIME DESTINATION .)
install(DIRECTORY ${QV_DEMO_DATA_DIR} DESTINATION . PATTERN .quintaval-make-demo EXCLUDE)
install(FILES ${CMAKE_SOURCE_DIR}/data/windows/README.txt DESTINATION .)

set(CPACK_PACKAGE_NAME quintaval)
set(CPACK_PACKAGE_VENDOR "Quintaval")
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME quintaval-${PROJECT_VERSION}-windows-x64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
