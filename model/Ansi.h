#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <string>

// The program's own text files (tournaments, options) are 8-bit Windows-1252
// with CR LF, as organisers' existing files are. A text with a character
// that code page cannot hold is written as UTF-8 behind a byte-order mark
// instead, so no name is ever lost; reading tells the two apart by the mark.
namespace Ansi {

// True when every character of the text has a Windows-1252 byte.
bool fitsCodePage(QStringView text);
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

// Writes the Windows-1252 bytes of a text that fits the code page at `out`
// and returns the end, so a file can be built in one buffer.
char* writeCodePage(char* out, QStringView text);
// The same in UTF-8, as QString::toUtf8 encodes: a lone surrogate becomes
// "?".
char* writeUtf8(char* out, QStringView text);
// The number of bytes writeUtf8 writes for the text.
qsizetype utf8Size(QStringView text);

// The lines of a file's bytes, exactly as splitLines(decode(bytes)) gives
// them, decoded one at a time: a large file is never held decoded as a
// whole. Line ends are the same bytes in both encodings, and a UTF-8
// sequence never runs across one.
class LineReader {
public:
    explicit LineReader(const QByteArray& bytes);
    bool atEnd() const { return m_position >= m_bytes.size(); }
    // The next line; empty past the last one.
    QString next();

private:
    QByteArray m_bytes;
    qsizetype m_position = 0;
    bool m_utf8 = false;
};

} // namespace Ansi
