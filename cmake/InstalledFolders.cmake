# Installs the build into a throw-away root and runs the installed program there, as root and
# as an ordinary user, each with a home of its own: the files go to the user's folders, never
# beside the program, even where root may write. Each run is ended with SIGTERM, as a desktop
# that logs out ends it: the program closes as through its window and exits with status 0.
set(bin ${STAGE}/usr/bin)
file(REMOVE_RECURSE ${STAGE})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${STAGE}/usr
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed")
endif()

execute_process(COMMAND id -u OUTPUT_VARIABLE uid OUTPUT_STRIP_TRAILING_WHITESPACE)
if(uid STREQUAL "0")
  set(runs root user)
else()
  message(STATUS "not run by root: the program runs as this user only")
  set(runs user)
endif()

foreach(run ${runs})
  set(home ${STAGE}/home-${run})
  file(MAKE_DIRECTORY ${home})
  set(as)
  if(run STREQUAL "user" AND uid STREQUAL "0")
    # nobody, with a home it owns.
    execute_process(COMMAND chown 65534:65534 ${home})
    set(as setpriv --reuid=65534 --regid=65534 --clear-groups)
  endif()
  execute_process(
    COMMAND env -u XDG_CONFIG_HOME -u XDG_DATA_HOME -u XDG_DOCUMENTS_DIR HOME=${home}
            QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 PULSE_SERVER=unix:/nonexistent
            ${as} timeout --preserve-status -s TERM 4 ${bin}/tivrel
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "run as ${run}: the program did not close on SIGTERM (status ${status}):\n${out}")
  endif()
  file(GLOB beside RELATIVE ${bin} ${bin}/*)
  if(NOT beside STREQUAL "tivrel")
    message(FATAL_ERROR "run as ${run}: files beside the installed program: ${beside}")
  endif()
  foreach(folder .config/Tivrel .local/share/Tivrel)
    if(NOT IS_DIRECTORY ${home}/${folder})
      message(FATAL_ERROR "run as ${run}: ${home}/${folder} was not made")
    endif()
  endforeach()
endforeach()
file(REMOVE_RECURSE ${STAGE})
