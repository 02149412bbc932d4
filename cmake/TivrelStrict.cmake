# SPDX-License-Identifier: GPL-3.0-or-later
# One strictness target that every library, test and benchmark links.
add_library(tivrel_strict INTERFACE)
target_compile_options(tivrel_strict INTERFACE
  -Wall -Wextra -Wold-style-cast -Woverloaded-virtual -Wnon-virtual-dtor)
target_compile_definitions(tivrel_strict INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_USE_QSTRINGBUILDER QT_NO_CONTEXTLESS_CONNECT)
if(TIVREL_WERROR)
  target_compile_options(tivrel_strict INTERFACE -Werror)
  target_compile_definitions(tivrel_strict INTERFACE QT_FORCE_ASSERTS _GLIBCXX_ASSERTIONS)
endif()
if(TIVREL_SANITIZE)
  target_compile_options(tivrel_strict INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(tivrel_strict INTERFACE -fsanitize=address,undefined)
endif()

# Optimised builds are hardened as Debian hardens its packages: fortified C library calls (the
# fortification needs the optimiser, so never in Debug or an unnamed build type), a stack
# protector and relocations made read-only at start. The sanitizer and fuzz builds check memory
# their own way and stay as they are. Executables are position-independent in every build.
option(TIVREL_HARDEN "Harden optimised builds (fortify, stack protector, relro, bind now)" ON)
if(TIVREL_HARDEN AND NOT TIVREL_SANITIZE AND NOT TIVREL_FUZZ)
  set(optimised $<CONFIG:Release,RelWithDebInfo,MinSizeRel>)
  # Replaces a level the compiler or CXXFLAGS may have set already, instead of redefining it.
  target_compile_options(tivrel_strict INTERFACE
    "$<${optimised}:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2;-fstack-protector-strong>")
  target_link_options(tivrel_strict INTERFACE $<${optimised}:LINKER:-z,relro,-z,now>)
endif()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

# The linker the compiler driver calls (-fuse-ld=): lld, mold or gold link the many test programs
# faster than the default. Empty keeps the compiler's default.
set(TIVREL_LINKER "" CACHE STRING "Linker for -fuse-ld= (lld, mold, gold); empty for the default")
if(TIVREL_LINKER)
  add_link_options(-fuse-ld=${TIVREL_LINKER})
endif()
include(CheckPIESupported)
check_pie_supported()
