# On Windows the programs go into a zip of their own.
if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/InstallWindows.cmake)
  return()
endif()

# Installing like any Linux program: the programs in bin, the desktop entry, the icon in the
# hicolor theme, AppStream metadata, manual pages and the bash completion; and a Debian package
# built from the same rules with CPack (scripts/package).
include(GNUInstallDirs)

set(KX_APP_ID "io.kxprog.kxprog")
set(KX_PACKAGING ${PROJECT_SOURCE_DIR}/packaging)

# Installs a file compressed, as manual pages and changelogs are kept (name.gz).
function(kx_install_gzipped file destination)
  get_filename_component(name ${file} NAME)
  set(packed ${CMAKE_CURRENT_BINARY_DIR}/gzipped/${name}.gz)
  add_custom_command(
    OUTPUT ${packed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/gzipped
    COMMAND gzip -9n -c ${file} > ${packed}
    DEPENDS ${file})
  add_custom_target(gzip_${name} ALL DEPENDS ${packed})
  install(FILES ${packed} DESTINATION ${destination})
endfunction()

if(TARGET kxtool)
  install(TARGETS kxtool kxsim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${KX_PACKAGING}/completion/kxtool
          DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
  kx_install_gzipped(${KX_PACKAGING}/man/kxtool.1 ${CMAKE_INSTALL_MANDIR}/man1)
  kx_install_gzipped(${KX_PACKAGING}/man/kxsim.1 ${CMAKE_INSTALL_MANDIR}/man1)
endif()

if(TARGET kxprog)
  install(TARGETS kxprog RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  kx_install_gzipped(${KX_PACKAGING}/man/kxprog.1 ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${KX_PACKAGING}/${KX_APP_ID}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${KX_PACKAGING}/${KX_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${KX_PACKAGING}/icons/kxprog.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
          RENAME ${KX_APP_ID}.svg)

  # The PNG sizes are painted by the program's own icon code when the package is built.
  add_executable(export_icons ${KX_PACKAGING}/export_icons.cpp)
  target_link_libraries(export_icons PRIVATE kxprog_ui)
  set(KX_ICON_DIR ${CMAKE_CURRENT_BINARY_DIR}/icons)
  add_custom_command(
    OUTPUT ${KX_ICON_DIR}/256x256/apps/${KX_APP_ID}.png
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:export_icons>
            ${KX_ICON_DIR} ${KX_APP_ID}
    DEPENDS export_icons
    COMMENT "Painting the application icon")
  add_custom_target(app_icons ALL DEPENDS ${KX_ICON_DIR}/256x256/apps/${KX_APP_ID}.png)
  install(DIRECTORY ${KX_ICON_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
endif()

# What a Debian package keeps beside the programs: the copyright and the changelog.
configure_file(${KX_PACKAGING}/debian/changelog.in ${CMAKE_CURRENT_BINARY_DIR}/debian/changelog
               @ONLY)
kx_install_gzipped(${CMAKE_CURRENT_BINARY_DIR}/debian/changelog ${CMAKE_INSTALL_DOCDIR})
install(FILES ${KX_PACKAGING}/debian/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The Debian package.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "kxprog")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "kxprog")
set(CPACK_PACKAGE_CONTACT "kxprog maintainers <maintainers@kxprog.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "programmer for KX400 and KX600 data radios")
set(CPACK_PACKAGE_DESCRIPTION "Reads, edits and writes the configuration memory of KX400 and
KX600 data radios over a serial port: the desktop app kxprog, the command-line
tool kxtool and the virtual radio kxsim.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "hamradio")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://kxprog.invalid/")
set(CPACK_STRIP_FILES ON)
include(CPack)
