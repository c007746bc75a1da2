# The Windows zips, unpacked anywhere and run from there:
#   kxtool-<version>-win64.zip  kxtool.exe with the README and the licence; it needs no DLL but
#                               Windows' own (the component "kxtool", packed by CPack);
#   kxprog-<version>-win64.zip  all of it: kxprog.exe and kxtool.exe, the Qt DLLs and plugins
#                               the app loads and the MinGW runtime DLLs they need (everything
#                               installed; scripts/windows packs it).
if(TARGET kxtool)
  install(TARGETS kxtool RUNTIME DESTINATION . COMPONENT kxtool)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION . COMPONENT kxtool)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/windows/LICENSE.txt DESTINATION . COMPONENT kxtool)

if(TARGET kxprog)
  # Qt's targets, as src/ found them, for this folder too.
  find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets PrintSupport)
  install(TARGETS kxprog RUNTIME DESTINATION . COMPONENT app)
  # What windeployqt would copy for this app: the four modules, the Windows platform plugin and
  # the native style.
  install(FILES $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets>
                $<TARGET_FILE:Qt6::PrintSupport>
          DESTINATION . COMPONENT app)
  install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms COMPONENT app)
  if(TARGET Qt6::QWindowsVistaStylePlugin)
    install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION styles COMPONENT app)
  endif()
  if(MINGW)
    # The compiler's runtime, which the Qt DLLs were linked against.
    foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
      execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                      OUTPUT_VARIABLE kx_dll OUTPUT_STRIP_TRAILING_WHITESPACE)
      install(FILES ${kx_dll} DESTINATION . COMPONENT app)
    endforeach()
  endif()
endif()

set(CPACK_GENERATOR "ZIP")
set(CPACK_PACKAGE_NAME "kxtool")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "kxprog")
set(CPACK_SYSTEM_NAME "win64")
set(CPACK_PACKAGE_FILE_NAME "kxtool-${PROJECT_VERSION}-win64")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};kxprog;kxtool;/")
set(CPACK_STRIP_FILES ON)
include(CPack)
