# Precompiled headers: the Qt and standard headers that most files include are parsed once per
# library instead of once per file, and once per test folder for its test programs of a kind (Qt
# Test defines each program's source and build folder on its command line, and a precompiled
# header needs the same definitions, so the programs of one folder can share one). Off with
# -DTIVREL_PCH=OFF (for example to see that every file includes what it uses).
option(TIVREL_PCH "Precompile the common Qt headers" ON)

set(tivrel_pch_core
  <algorithm> <functional> <memory> <optional> <vector>
  <QtCore/QByteArray> <QtCore/QDateTime> <QtCore/QDir> <QtCore/QFile> <QtCore/QFileInfo>
  <QtCore/QHash> <QtCore/QList> <QtCore/QLocale> <QtCore/QObject> <QtCore/QString>
  <QtCore/QStringList> <QtGui/QColor> <QtGui/QFont> <QtGui/QImage> <QtGui/QPainter>)
set(tivrel_pch_widgets
  <QtWidgets/QCheckBox> <QtWidgets/QComboBox> <QtWidgets/QLabel> <QtWidgets/QLineEdit>
  <QtWidgets/QPushButton> <QtWidgets/QSpinBox> <QtWidgets/QVBoxLayout> <QtWidgets/QWidget>)
set(tivrel_pch_test <QtTest/QSignalSpy> <QtTest/QTest>)

# tivrel_precompile(<target> <lists...>): the target's own precompiled header, from the named
# lists (tivrel_pch_core, tivrel_pch_widgets, tivrel_pch_test).
function(tivrel_precompile target)
  if(NOT TIVREL_PCH)
    return()
  endif()
  set(headers)
  foreach(list ${ARGN})
    list(APPEND headers ${${list}})
  endforeach()
  target_precompile_headers(${target} PRIVATE ${headers})
  # clang stores the headers' times in the precompiled header and refuses it when a header is
  # newer; without them a header compiled by ccache in an earlier clone stays usable.
  if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    target_compile_options(${target} PRIVATE "SHELL:-Xclang -fno-pch-timestamp")
  endif()
endfunction()

# tivrel_reuse_precompiled(<target> <holder>): the target compiles with the precompiled header of
# <holder>, whose flags and definitions it must share (same folder, same libraries).
function(tivrel_reuse_precompiled target holder)
  if(NOT TIVREL_PCH)
    return()
  endif()
  target_precompile_headers(${target} REUSE_FROM ${holder})
  if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    target_compile_options(${target} PRIVATE "SHELL:-Xclang -fno-pch-timestamp")
  endif()
endfunction()
