#pragma once
// The program's small pictures, drawn rather than shipped as files.
#include <QIcon>
#include <QPixmap>

namespace kelvo {

enum class IconKind { Copy, Paste, Delete, Enlarge, Reduce, Help };

QPixmap IconPixmap(IconKind kind, int size = 16);
QIcon ProgramIcon(IconKind kind);
// The decorative picture of the main window.
QPixmap TitlePicture(int width, int height);

}  // namespace kelvo
