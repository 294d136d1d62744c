# Precompiled headers: the Qt and standard headers most files include, parsed once per kind of
# target instead of once per file. Targets built with the same flags and definitions share one
# (kalvuner_share_precompiled_headers), so each kind is compiled once per build. The compiler
# cache keeps working with them: CMake includes the header with -include, and the shared cache
# configuration is sloppy about pch_defines and time_macros, as the cache asks.
#
# The plant's own headers stay out, so that editing one of them never rebuilds every file. The
# database's statement classes (QSqlQuery and its kin) stay out too: only the database layer
# may use them, and a precompiled header would let any file use them without saying so.

set(kalvuner_core_headers
  <QByteArray> <QDate> <QDateTime> <QDir> <QFile> <QFileInfo> <QHash> <QList> <QObject>
  <QRegularExpression> <QSet> <QString> <QStringList> <QTextStream> <QTime> <QVariant>
  <QtGlobal>
  <algorithm> <array> <cmath> <functional> <limits> <map> <memory> <optional> <set>
  <stdexcept> <utility> <vector>)

set(kalvuner_window_headers
  ${kalvuner_core_headers}
  <QAction> <QApplication> <QComboBox> <QDialog> <QEvent> <QFrame> <QGridLayout>
  <QHBoxLayout> <QHeaderView> <QKeyEvent> <QLabel> <QLineEdit> <QListWidget> <QMainWindow>
  <QMenu> <QMenuBar> <QMouseEvent> <QPainter> <QPushButton> <QScrollBar> <QStatusBar>
  <QTimer> <QVBoxLayout> <QWidget>)

set(kalvuner_test_headers
  ${kalvuner_window_headers}
  <QProcess> <QSignalSpy> <QTemporaryDir> <QTest> <gtest/gtest.h>)

# Gives `target` the precompiled header of `kind` (core, window or test).
function(kalvuner_precompiled_headers target kind)
  target_precompile_headers(${target} PRIVATE ${kalvuner_${kind}_headers})
endfunction()

# Lets `target` use the precompiled header of `owner`, which is built with the same flags.
function(kalvuner_share_precompiled_headers target owner)
  target_precompile_headers(${target} REUSE_FROM ${owner})
endfunction()
