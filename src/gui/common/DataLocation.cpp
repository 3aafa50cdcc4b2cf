#include "gui/common/DataLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace kelvo {

QString ProgramDataFile(const QString& executableDir, const QString& name) {
  const QDir dir(executableDir);
  const QString beside = dir.filePath(name);
  if (QFileInfo(beside).isFile()) return beside;
  const QString shared = QDir::cleanPath(dir.filePath(QStringLiteral("../share/kelvo/") + name));
  if (QFileInfo(shared).isFile()) return shared;
  return beside;
}

QString ProgramDataFile(const QString& name) {
  return ProgramDataFile(QCoreApplication::applicationDirPath(), name);
}

}  // namespace kelvo
