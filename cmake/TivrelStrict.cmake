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
