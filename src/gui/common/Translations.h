#pragma once
// Qt's own Chinese translations, so standard buttons ("确定", "取消") and context menus speak
// the program's language.
class QCoreApplication;

namespace kelvo {

// Loads Qt's zh_CN catalogue from Qt's translations folder; false when it is not installed
// (the program then runs with Qt's English standard texts).
bool InstallChineseTranslations(QCoreApplication& app);

}  // namespace kelvo
