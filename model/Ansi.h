#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <string>

// The program's own text files (tournaments, options) are 8-bit Windows-1252
// with CR LF, as organisers' existing files are. A text with a character
// that code page cannot hold is written as UTF-8 behind a byte-order mark
// instead, so no name is ever lost; reading tells the two apart by the mark.
namespace Ansi {

// True when every character of the text has a Windows-1252 byte.
bool fitsCodePage(const QString& text);
// Names sort as their Windows-1252 bytes would, unsigned, byte by byte;
// characters the code page lacks come after all of them, in code point
// order. A key per text, compared as plain unsigned units, gives the order
// of `compare` without looking anything up again while sorting.
std::u16string sortKey(const QString& text);
// <0, 0 or >0.
int compare(const QString& a, const QString& b);
// Windows-1252 when the text fits, otherwise a byte-order mark and UTF-8.
QByteArray encode(const QString& text);
// UTF-8 after a byte-order mark, otherwise Windows-1252. The five bytes
// that code page leaves undefined read as the control characters of the
// same number, so every byte sequence decodes to something.
QString decode(const QByteArray& bytes);
// Splits at CR LF, LF or CR. A final line end does not start another line.
QStringList splitLines(const QString& text);

} // namespace Ansi
