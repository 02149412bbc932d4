# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package with CPack into a folder of its own and checks it as a distribution
# would: lintian finds no error and no warning, the installed program passes hardening-check, and
# the package, the program, the manual page, the changelog and the metainfo name one version.
# Arguments: -D CPACK=<cpack> -D LINTIAN=<lintian> -D HARDENING_CHECK=<hardening-check>
#            -D DPKG_DEB=<dpkg-deb> -D GZIP=<gzip> -D BUILD_DIR=<build> -D STAGE=<scratch folder>
foreach(tool LINTIAN HARDENING_CHECK DPKG_DEB)
  if(NOT ${tool} OR ${tool} MATCHES "NOTFOUND$")
    message(FATAL_ERROR "${tool} is not installed (scripts/install-deps.sh installs it)")
  endif()
endforeach()

file(REMOVE_RECURSE ${STAGE})
execute_process(COMMAND ${CPACK} -G DEB --config ${BUILD_DIR}/CPackConfig.cmake -B ${STAGE}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
file(GLOB debs ${STAGE}/*.deb)
list(LENGTH debs count)
if(NOT status EQUAL 0 OR NOT count EQUAL 1)
  message(FATAL_ERROR "cpack did not build one package (exit ${status}):\n${out}")
endif()
message("${debs}")

# Informational and pedantic tags are shown, but only errors and warnings fail the test.
execute_process(
  COMMAND ${LINTIAN} --fail-on error,warning --display-info --pedantic --tag-display-limit 0
          ${debs}
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
message("lintian:\n${out}")
if(NOT status EQUAL 0 OR out MATCHES "(^|\n)[EW]: ")
  message(FATAL_ERROR "lintian found errors or warnings (exit ${status})")
endif()

set(root ${STAGE}/root)
execute_process(COMMAND ${DPKG_DEB} -x ${debs} ${root} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "dpkg-deb -x failed")
endif()
# The hardening the build asks for: PIE, stack protector, fortify, relro and bind now. Control
# flow protection (-fcf-protection, x86 only) is not among the build's flags yet.
execute_process(COMMAND ${HARDENING_CHECK} --nocfprotection ${root}/usr/bin/tivrel
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
message("hardening-check:\n${out}")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "hardening-check found the program unhardened")
endif()

# One version everywhere.
execute_process(COMMAND ${DPKG_DEB} -f ${debs} Version OUTPUT_VARIABLE package_version
                OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${root}/usr/bin/tivrel --version OUTPUT_VARIABLE program_version)
execute_process(COMMAND ${GZIP} -dc ${root}/usr/share/man/man1/tivrel.1.gz OUTPUT_VARIABLE page)
execute_process(COMMAND ${GZIP} -dc ${root}/usr/share/doc/tivrel/changelog.gz
                OUTPUT_VARIABLE changelog)
file(GLOB metainfo_files ${root}/usr/share/metainfo/*.metainfo.xml)
file(READ ${metainfo_files} metainfo)
string(REGEX MATCH "^Tivrel ([^\n]*)" program_version "${program_version}")
set(program_version "${CMAKE_MATCH_1}")
string(REGEX MATCH "\n\\.TH [^\n]* \"Tivrel ([^\"]*)\"" page "${page}")
set(page_version "${CMAKE_MATCH_1}")
string(REGEX MATCH "^tivrel \\(([^)]*)\\)" changelog "${changelog}")
set(changelog_version "${CMAKE_MATCH_1}")
string(REGEX MATCH "<release version=\"([^\"]*)\"" metainfo "${metainfo}")
set(metainfo_version "${CMAKE_MATCH_1}")
message("versions: package ${package_version}, --version ${program_version}, "
        "manual page ${page_version}, changelog ${changelog_version}, "
        "metainfo ${metainfo_version}")
foreach(version program_version page_version changelog_version metainfo_version)
  if(package_version STREQUAL "" OR NOT ${version} STREQUAL package_version)
    message(FATAL_ERROR "${version} is not the package's version")
  endif()
endforeach()
file(REMOVE_RECURSE ${STAGE})
