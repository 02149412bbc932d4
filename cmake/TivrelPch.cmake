# Precompiled headers: the Qt and standard headers that most files include are parsed once per
# library instead of once per file. (The test programs cannot share one: Qt Test defines each
# program's build folder on its command line, and a precompiled header needs the same definitions.) Off with
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

# tivrel_precompile(<target> <lists...>): the target's own precompiled header, from the named
# lists (tivrel_pch_core, tivrel_pch_widgets).
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
