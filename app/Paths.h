#pragma once

#include <QString>

// Where the program's own files and dialogs start. Paths keep their case:
// the file systems this runs on are case-sensitive.
namespace Paths {

// The folder of the running executable.
QString executableFolder();

// The folder a file dialog starts in when it has no file of its own to
// start from: the given folder when the user may write there, otherwise the
// user's documents folder (a program installed system-wide cannot keep the
// organiser's tournaments beside itself).
QString dialogStartFolder(const QString& preferredFolder);

} // namespace Paths
