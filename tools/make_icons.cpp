// Build-time writer of the program's icon files for the desktop install: PNGs in the
// hicolor theme's layout, drawn by the same code that draws the window icon.
#include <QDir>
#include <QGuiApplication>
#include <cstdio>

#include "gui/common/DataLocation.h"
#include "gui/common/Icons.h"

int main(int argc, char* argv[]) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_icons <folder>\n");
    return 2;
  }
  const QDir root(QString::fromLocal8Bit(argv[1]));
  for (int size : {16, 32, 48, 64, 128, 256}) {
    const QString folder = QStringLiteral("hicolor/%1x%1/apps").arg(size);
    const QString file = folder + QLatin1Char('/') + QLatin1String(kelvo::kApplicationId) + ".png";
    if (!root.mkpath(folder) || !kelvo::ProgramImage(size).save(root.filePath(file))) {
      std::fprintf(stderr, "make_icons: cannot write %s\n", qPrintable(root.filePath(file)));
      return 1;
    }
  }
  return 0;
}
