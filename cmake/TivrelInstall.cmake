# Installation as a desktop program (program, menu entry, icons, AppStream metainfo) and a
# Debian package built by CPack whose library dependencies dpkg-shlibdeps works out.
include(GNUInstallDirs)

set(TIVREL_APP_ID org.tivrel.Tivrel)
set(desktop_dir ${CMAKE_CURRENT_SOURCE_DIR}/resources/desktop)

# The 256 px icon is rendered from the scalable one, so the picture has one source.
find_program(TIVREL_RSVG_CONVERT rsvg-convert)
set(icon_png ${CMAKE_CURRENT_BINARY_DIR}/icons/${TIVREL_APP_ID}.png)
if(TIVREL_RSVG_CONVERT)
  add_custom_command(
    OUTPUT ${icon_png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/icons
    COMMAND ${TIVREL_RSVG_CONVERT} -w 256 -h 256 -o ${icon_png} ${desktop_dir}/${TIVREL_APP_ID}.svg
    DEPENDS ${desktop_dir}/${TIVREL_APP_ID}.svg
    COMMENT "Rendering the 256 px icon"
    VERBATIM)
  add_custom_target(tivrel_icon_png ALL DEPENDS ${icon_png})
  # The window shows the same picture, also when the program runs from its build folder.
  set_source_files_properties(${icon_png} PROPERTIES
    GENERATED TRUE QT_RESOURCE_ALIAS ${TIVREL_APP_ID}.png)
  qt_add_resources(tivrel_ui tivrel_icon
    PREFIX /icons
    BASE ${CMAKE_CURRENT_BINARY_DIR}/icons
    FILES ${icon_png})
else()
  message(WARNING "rsvg-convert (librsvg2-bin) not found: the 256 px icon is not installed")
endif()

install(TARGETS tivrel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${desktop_dir}/${TIVREL_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${desktop_dir}/${TIVREL_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${desktop_dir}/${TIVREL_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
if(TIVREL_RSVG_CONVERT)
  install(FILES ${icon_png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tivrel)
set(CPACK_PACKAGE_VENDOR "Tivrel")
set(CPACK_PACKAGE_CONTACT "Tivrel developers <tivrel@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Draw raffle and tombola tickets at random")
set(CPACK_PACKAGE_DESCRIPTION
    "Tivrel draws ticket numbers at random, without repetition, from a number range or from the
lines of a list file, shows each drawn entry large on screen, and keeps a results table that
survives a restart.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The platform plugins (X11, Wayland) are loaded at run time, so dpkg-shlibdeps can not see
# them; the Qt translations give the dialog buttons in the user's language.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)

# The files a desktop expects, checked with the desktop's own validators.
if(TIVREL_BUILD_TESTS)
  find_program(TIVREL_DESKTOP_FILE_VALIDATE desktop-file-validate)
  find_program(TIVREL_APPSTREAMCLI appstreamcli)
  add_test(NAME desktop_files_validate
    COMMAND ${CMAKE_COMMAND}
      -D "VALIDATE_DESKTOP=${TIVREL_DESKTOP_FILE_VALIDATE}"
      -D "APPSTREAMCLI=${TIVREL_APPSTREAMCLI}"
      -D "BUILD_DIR=${CMAKE_CURRENT_BINARY_DIR}"
      -D "STAGE=${CMAKE_CURRENT_BINARY_DIR}/install-check"
      -D "APP_ID=${TIVREL_APP_ID}"
      -P ${CMAKE_CURRENT_SOURCE_DIR}/cmake/ValidateInstall.cmake)
  set_tests_properties(desktop_files_validate PROPERTIES TIMEOUT 120)
endif()

# The installed program keeps its files in the user's folders, run as root or as a user.
if(TIVREL_BUILD_TESTS)
  add_test(NAME installed_program_folders
    COMMAND ${CMAKE_COMMAND}
      -D "BUILD_DIR=${CMAKE_CURRENT_BINARY_DIR}"
      -D "STAGE=${CMAKE_CURRENT_BINARY_DIR}/installed-folders-check"
      -P ${CMAKE_CURRENT_SOURCE_DIR}/cmake/InstalledFolders.cmake)
  set_tests_properties(installed_program_folders PROPERTIES TIMEOUT 120)
endif()
