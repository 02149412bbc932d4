# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a throw-away folder and checks what a desktop reads from it: the menu
# entry with desktop-file-validate, the metainfo with its launchable and icons with appstreamcli,
# and that both icon sizes are there.
foreach(tool VALIDATE_DESKTOP APPSTREAMCLI)
  if(NOT ${tool} OR ${tool} MATCHES "NOTFOUND$")
    message(FATAL_ERROR "${tool} is not installed (scripts/install-deps.sh installs it)")
  endif()
endforeach()

file(REMOVE_RECURSE ${STAGE})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${STAGE}/usr
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed")
endif()

set(share ${STAGE}/usr/share)
foreach(file bin/tivrel
             share/applications/${APP_ID}.desktop
             share/metainfo/${COMPONENT_ID}.metainfo.xml
             share/icons/hicolor/scalable/apps/${APP_ID}.svg
             share/icons/hicolor/256x256/apps/${APP_ID}.png)
  if(NOT EXISTS ${STAGE}/usr/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

execute_process(COMMAND ${VALIDATE_DESKTOP} ${share}/applications/${APP_ID}.desktop
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
message("${out}")
if(NOT status EQUAL 0 OR out MATCHES "error:|warning:")
  message(FATAL_ERROR "desktop-file-validate found faults")
endif()

execute_process(COMMAND ${APPSTREAMCLI} validate-tree --no-net ${STAGE}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
message("${out}")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "appstreamcli validate-tree found faults")
endif()
file(REMOVE_RECURSE ${STAGE})
