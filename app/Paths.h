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

// The options file: the executable's path with the extension ".ini", beside
// the program when its folder is writable (a portable or build-tree
// install), otherwise under the same name in the user's configuration
// folder. It is read from where it would be written.
QString optionsFile();

// The same choice for a given executable and configuration folder.
QString optionsFileFor(const QString& executableFile, const QString& configFolder);

// Makes optionsFile() answer this file instead, so that a test never
// touches the options beside itself or in the real configuration folder.
// An empty text restores the normal choice.
void setOptionsFileOverride(const QString& file);

} // namespace Paths
