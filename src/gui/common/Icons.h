#pragma once
// The program's small pictures, drawn rather than shipped as files.
#include <QIcon>
#include <QImage>
#include <QPixmap>

class QPainter;

namespace kelvo {

enum class IconKind { Copy, Paste, Delete, Enlarge, Reduce, Help };

QPixmap IconPixmap(IconKind kind, int size = 16);
QIcon ProgramIcon(IconKind kind);
// The program's own icon at `size` pixels square: a bell curve with its right tail shaded on a
// rounded blue tile. The same drawing gives the window icon and the installed icon files.
QImage ProgramImage(int size);
QIcon ApplicationIcon();
// The decorative picture of the main window, drawn over (0, 0, width, height).
void DrawTitlePicture(QPainter& painter, int width, int height);

}  // namespace kelvo
