# SPDX-License-Identifier: GPL-3.0-or-later
# Installation as a desktop program (program, menu entry, icons, AppStream metainfo) and a
# Debian package built by CPack whose library dependencies dpkg-shlibdeps works out.
include(GNUInstallDirs)

set(TIVREL_APP_ID org.tivrel.Tivrel)
# The AppStream component; the menu entry and the icon keep the name with the capital letter.
set(TIVREL_COMPONENT_ID org.tivrel.tivrel)
set(desktop_dir ${CMAKE_CURRENT_SOURCE_DIR}/resources/desktop)
set(package_dir ${CMAKE_CURRENT_SOURCE_DIR}/resources/package)
set(package_build_dir ${CMAKE_CURRENT_BINARY_DIR}/package)

# The version comes from project(); the date of this release from the newest entry of the
# changelog, whose trailer line ends in an RFC 2822 date (" -- Name <mail>  Thu, 10 Dec 2026 ...").
file(STRINGS ${package_dir}/changelog.in changelog_trailers REGEX "^ -- ")
list(GET changelog_trailers 0 newest_trailer)
if(NOT newest_trailer MATCHES ", ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
  message(FATAL_ERROR "No date in the changelog's newest entry: ${newest_trailer}")
endif()
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND months ${CMAKE_MATCH_2} month)
math(EXPR month "${month} + 1")
if(month LESS 10)
  set(month 0${month})
endif()
set(TIVREL_RELEASE_DATE ${CMAKE_MATCH_3}-${month}-${CMAKE_MATCH_1})

set(metainfo ${package_build_dir}/${TIVREL_COMPONENT_ID}.metainfo.xml)
configure_file(${desktop_dir}/${TIVREL_COMPONENT_ID}.metainfo.xml.in ${metainfo} @ONLY)
configure_file(${package_dir}/tivrel.1.in ${package_build_dir}/tivrel.1 @ONLY)
configure_file(${package_dir}/changelog.in ${package_build_dir}/changelog @ONLY)

# Debian wants the manual page and the changelog compressed as hard as gzip can, without a time
# stamp or file name in them, so the same sources give the same package.
find_program(TIVREL_GZIP gzip REQUIRED)
add_custom_command(
  OUTPUT ${package_build_dir}/tivrel.1.gz ${package_build_dir}/changelog.gz
  COMMAND ${TIVREL_GZIP} -9nkf ${package_build_dir}/tivrel.1 ${package_build_dir}/changelog
  DEPENDS ${package_build_dir}/tivrel.1 ${package_build_dir}/changelog
  COMMENT "Compressing the manual page and the changelog"
  VERBATIM)
add_custom_target(tivrel_package_docs ALL
  DEPENDS ${package_build_dir}/tivrel.1.gz ${package_build_dir}/changelog.gz)

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
install(FILES ${metainfo} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${desktop_dir}/${TIVREL_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
if(TIVREL_RSVG_CONVERT)
  install(FILES ${icon_png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
endif()

install(FILES ${package_build_dir}/tivrel.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${package_dir}/copyright ${package_build_dir}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tivrel)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tivrel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tivrel")
set(CPACK_PACKAGE_CONTACT "Tivrel developers <tivrel@tivrel.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Draw raffle and tombola tickets at random")
# Each line becomes one line of the package's description, which Debian keeps within 80 columns.
set(CPACK_PACKAGE_DESCRIPTION
    "Tivrel draws ticket numbers at random, without repetition, from a number
range or from the lines of a list file, shows each drawn entry large on
screen, and keeps a results table that survives a restart.")
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
      -D "COMPONENT_ID=${TIVREL_COMPONENT_ID}"
      -P ${CMAKE_CURRENT_SOURCE_DIR}/cmake/ValidateInstall.cmake)
  set_tests_properties(desktop_files_validate PROPERTIES TIMEOUT 120 RESOURCE_LOCK tivrel_install)

  # The manual page as man reads it, against the program's own --help.
  find_program(TIVREL_MAN man)
  add_test(NAME manual_page
    COMMAND ${CMAKE_COMMAND}
      -D "MAN=${TIVREL_MAN}"
      -D "PAGE=${package_build_dir}/tivrel.1"
      -D "PROGRAM=$<TARGET_FILE:tivrel>"
      -P ${CMAKE_CURRENT_SOURCE_DIR}/tests/package/CheckManPage.cmake)
  set_tests_properties(manual_page PROPERTIES TIMEOUT 120)

  # The package as Debian's checker sees it; only a hardened build makes a package it accepts.
  if(TIVREL_HARDEN AND NOT TIVREL_SANITIZE AND NOT TIVREL_FUZZ
     AND CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo|MinSizeRel)$")
    find_program(TIVREL_LINTIAN lintian)
    find_program(TIVREL_HARDENING_CHECK hardening-check)
    find_program(TIVREL_DPKG_DEB dpkg-deb)
    add_test(NAME package_lintian
      COMMAND ${CMAKE_COMMAND}
        -D "CPACK=${CMAKE_CPACK_COMMAND}"
        -D "LINTIAN=${TIVREL_LINTIAN}"
        -D "HARDENING_CHECK=${TIVREL_HARDENING_CHECK}"
        -D "DPKG_DEB=${TIVREL_DPKG_DEB}"
        -D "GZIP=${TIVREL_GZIP}"
        -D "BUILD_DIR=${CMAKE_CURRENT_BINARY_DIR}"
        -D "STAGE=${CMAKE_CURRENT_BINARY_DIR}/package-check"
        -P ${CMAKE_CURRENT_SOURCE_DIR}/tests/package/CheckPackage.cmake)
    set_tests_properties(package_lintian PROPERTIES TIMEOUT 600 RESOURCE_LOCK tivrel_install)
  endif()
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
