#pragma once

#include <QByteArray>
#include <QString>

// Reading and writing the program's own files, with failures told in Dutch.
namespace Bestand {

// The reason behind a system error number in Dutch words for the failures
// an organiser can act on (no permission, disk full, file too large, folder
// missing, file in use); any other keeps the system's own text, `anders`.
QString Foutreden(int foutnummer, const QString& anders);

// Reads the whole file into `inhoud`. Returns the reason of a failure in
// Dutch with the file's name (it does not exist, it is a folder, no
// permission, too large for the memory), empty on success.
QString Lees(const QString& pad, QByteArray& inhoud);

// The message for a file that is too large to be read into memory.
QString TeGrootTekst(const QString& pad);

// Writes the bytes to a new file beside `pad` that takes its place only
// once complete and on disk, so a failure never costs the earlier file.
// Returns the reason of a failure, empty on success.
QString SchrijfVeilig(const QString& pad, const QByteArray& inhoud);

// Makes the folder with any missing parents. Returns empty on success,
// otherwise a message that the folder could not be made and why.
QString MaakMap(const QString& map);

} // namespace Bestand
