#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The program's own text files (tournaments, options) are 8-bit Windows-1252
// with CR LF, as organisers' existing files are. A text with a character
// that code page cannot hold is written as UTF-8 behind a byte-order mark
// instead, so no name is ever lost; reading tells the two apart by the mark.
namespace Ansi {

// True when every character of the text has a Windows-1252 byte.
bool fitsCodePage(const QString& text);
// Windows-1252 when the text fits, otherwise a byte-order mark and UTF-8.
QByteArray encode(const QString& text);
// UTF-8 after a byte-order mark, otherwise Windows-1252. The five bytes
// that code page leaves undefined read as the control characters of the
// same number, so every byte sequence decodes to something.
QString decode(const QByteArray& bytes);
// Splits at CR LF, LF or CR. A final line end does not start another line.
QStringList splitLines(const QString& text);

} // namespace Ansi
