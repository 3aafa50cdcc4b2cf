#pragma once
// Where the program's read-only files (the table database, the help document) are found.
#include <QString>

namespace kelvo {

// The application's id: the name of its desktop entry, icon and AppStream metadata.
inline constexpr const char* kApplicationId = "org.kelvo.Kelvo";

// The data file `name` of an executable in `executableDir`: beside the executable (a build
// tree, or an install into one folder), else in `../share/kelvo` (an install under a prefix
// such as /usr). When neither holds it, the path beside the executable, so that a message
// names where the file was expected.
QString ProgramDataFile(const QString& executableDir, const QString& name);
// The same for the running program.
QString ProgramDataFile(const QString& name);

}  // namespace kelvo
