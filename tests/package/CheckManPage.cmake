# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the manual page: man formats it without a warning (as lintian asks it to), its OPTIONS
# name exactly the options that `tivrel --help` lists, and the program accepts every option of
# its QT OPTIONS with or without a value as the page shows it.
# Arguments: -D MAN=<man> -D PAGE=<tivrel.1> -D PROGRAM=<tivrel>
if(NOT MAN OR MAN MATCHES "NOTFOUND$")
  message(FATAL_ERROR "man is not installed (scripts/install-deps.sh installs man-db)")
endif()

set(ENV{LC_ALL} C.UTF-8)
set(ENV{MANROFFSEQ} "")
set(ENV{MANWIDTH} 80)
execute_process(COMMAND ${MAN} --warnings -E UTF-8 -l -Tutf8 -Z ${PAGE}
                RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE warnings)
if(NOT status EQUAL 0 OR NOT warnings STREQUAL "")
  message(FATAL_ERROR "man --warnings on ${PAGE} (exit ${status}):\n${warnings}")
endif()

# The page's sections: the text after ".SH <name>" up to the next ".SH".
file(READ ${PAGE} page)
function(page_section name out)
  string(FIND "${page}" "\n.SH ${name}\n" start)
  if(start LESS 0)
    message(FATAL_ERROR "The page has no section ${name}")
  endif()
  string(SUBSTRING "${page}" ${start} -1 rest)
  string(LENGTH "\n.SH ${name}\n" skip)
  string(SUBSTRING "${rest}" ${skip} -1 rest)
  string(FIND "${rest}" "\n.SH " end)
  string(SUBSTRING "${rest}" 0 ${end} rest)
  set(${out} "${rest}" PARENT_SCOPE)
endfunction()

# The tag lines of a section: the line after each ".TP".
function(tag_lines section out)
  string(REPLACE ";" "\\;" section "${section}")
  string(REPLACE "\n" ";" lines "${section}")
  set(tags)
  set(next_is_tag FALSE)
  foreach(line IN LISTS lines)
    if(next_is_tag)
      list(APPEND tags "${line}")
    endif()
    set(next_is_tag FALSE)
    if(line STREQUAL ".TP")
      set(next_is_tag TRUE)
    endif()
  endforeach()
  set(${out} "${tags}" PARENT_SCOPE)
endfunction()

# The options on the page's OPTIONS tags ("\-h", "\-\-help-all" as -h, --help-all).
page_section(OPTIONS options_section)
tag_lines("${options_section}" option_tags)
set(page_options)
foreach(tag IN LISTS option_tags)
  string(REPLACE "\\-" "-" tag "${tag}")
  string(REGEX REPLACE "\\\\f[BIRP]" "" tag "${tag}")
  string(REGEX MATCHALL "(^|[ \"])--?[a-z][a-z-]*" found "${tag}")
  foreach(option IN LISTS found)
    string(REGEX REPLACE "^[ \"]" "" option "${option}")
    list(APPEND page_options ${option})
  endforeach()
endforeach()

# The options of --help: its lines "  -h, --help ..." and "  --folder <folder> ...".
execute_process(COMMAND ${PROGRAM} --help RESULT_VARIABLE status OUTPUT_VARIABLE help)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "tivrel --help failed (exit ${status})")
endif()
string(REGEX MATCHALL "\n  -[^\n]*" help_lines "${help}")
set(help_options)
foreach(line IN LISTS help_lines)
  string(REGEX MATCH "^\n  (-[a-z?], )?--[a-z][a-z-]*" head "${line}")
  string(REGEX MATCHALL "--?[a-z?][a-z-]*" found "${head}")
  list(APPEND help_options ${found})
endforeach()

list(SORT page_options)
list(SORT help_options)
if(NOT page_options STREQUAL help_options OR page_options STREQUAL "")
  message(FATAL_ERROR "The manual page's OPTIONS and --help differ:\n"
                      "  page:   ${page_options}\n  --help: ${help_options}\n${help}")
endif()
message(STATUS "OPTIONS and --help agree: ${page_options}")

# Every Qt option on the page is accepted, with a value exactly when the page shows one: an
# option that takes a value fails without one ("Missing value after ..."), and succeeds with one.
# --version comes first, so the program prints its version and never opens a window.
page_section("QT OPTIONS" qt_section)
tag_lines("${qt_section}" qt_tags)
set(checked 0)
foreach(tag IN LISTS qt_tags)
  string(REPLACE "\\-" "-" tag "${tag}")
  string(REGEX REPLACE "^\\.[BI]+ " "" tag "${tag}")
  # A tag may name several options, each "-name" with or without an italic value after it.
  string(REGEX MATCHALL "-[a-z]+(\\\\fR)? *(\" *[a-z]|\\\\fI)?" entries "${tag}")
  foreach(entry IN LISTS entries)
    string(REGEX MATCH "^-[a-z]+" option "${entry}")
    execute_process(COMMAND ${PROGRAM} --version ${option}
                    RESULT_VARIABLE bare OUTPUT_QUIET ERROR_VARIABLE bare_error)
    if(entry MATCHES "(\" *[a-z]|fI)$")
      execute_process(COMMAND ${PROGRAM} --version ${option} value
                      RESULT_VARIABLE with_value OUTPUT_QUIET ERROR_QUIET)
      if(bare EQUAL 0 OR NOT bare_error MATCHES "Missing value" OR NOT with_value EQUAL 0)
        message(FATAL_ERROR "${option} should take a value: without one the program exits "
                            "${bare} (${bare_error}), with one ${with_value}")
      endif()
    elseif(NOT bare EQUAL 0)
      message(FATAL_ERROR "${option} (a flag on the page) is not accepted: ${bare_error}")
    endif()
    math(EXPR checked "${checked} + 1")
  endforeach()
endforeach()

# The same call with an option the program does not know must fail, or the checks prove nothing.
execute_process(COMMAND ${PROGRAM} --version -nosuchoption RESULT_VARIABLE status
                OUTPUT_QUIET ERROR_QUIET)
if(status EQUAL 0 OR checked LESS 20)
  message(FATAL_ERROR "The Qt options were not checked (${checked} found on the page)")
endif()
message(STATUS "${checked} Qt options on the page are accepted as shown")
