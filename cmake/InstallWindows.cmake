# The Windows zip: kxtool.exe with the README and the licence, unpacked anywhere and run from
# there; the programs need no DLL but Windows' own.
if(TARGET kxtool)
  install(TARGETS kxtool RUNTIME DESTINATION .)
endif()
if(TARGET kxprog)  # a build on Windows with Qt: windeployqt adds the Qt DLLs beside it
  install(TARGETS kxprog RUNTIME DESTINATION .)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/windows/LICENSE.txt DESTINATION .)

set(CPACK_GENERATOR "ZIP")
set(CPACK_PACKAGE_NAME "kxtool")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "kxprog")
set(CPACK_SYSTEM_NAME "win64")
set(CPACK_PACKAGE_FILE_NAME "kxtool-${PROJECT_VERSION}-win64")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
