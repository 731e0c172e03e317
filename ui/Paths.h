#pragma once

#include <QString>

// Where the program's own files and dialogs start. Paths keep their case:
// the file systems this runs on are case-sensitive.
namespace Paths {

// The folder of the running executable.
QString executableFolder();

// The folder a file dialog starts in when it has no file of its own to
// start from: the given folder when the user may write there, otherwise the
// user's documents folder, or the home folder when there is none.
QString dialogStartFolder(const QString& preferredFolder);

// True when the executable sits in an installed tree: its desktop entry is
// in share/applications beside its bin folder. Such a program keeps nothing
// beside itself, even when its folder happens to be writable (an
// administrator, or a tree unpacked by hand).
bool isInstalled(const QString& executableFile);

// The options file: the executable's path with the extension ".ini", beside
// the program when it is not installed and its folder is writable (a
// portable or build-tree copy), otherwise under the same name in the user's
// configuration folder. It is read from where it would be written.
QString optionsFile();

// The same choice for a given executable and configuration folder.
QString optionsFileFor(const QString& executableFile, const QString& configFolder);

// The default path of a spreadsheet template shipped or kept under `name`
// (for example "poules.xlt"). An installed program looks in the user's data
// folder first, where an organiser keeps a template of their own, then in the
// prefix's share/zegerooster; when neither holds the file, the user's data
// folder is where it belongs. A program that is not installed (a build tree or
// a portable copy) keeps its templates beside itself.
QString defaultTemplate(const QString& name);

// The same choice for a given executable and user data folder.
QString defaultTemplateFor(const QString& executableFile, const QString& dataFolder,
                           const QString& name);

// Makes optionsFile() answer this file instead, so that a test never
// touches the options beside itself or in the real configuration folder.
// An empty text restores the normal choice.
void setOptionsFileOverride(const QString& file);

} // namespace Paths
