#include "model/Ansi.h"

#include "model/Text.h"

#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace Ansi {

namespace {

// Windows-1252 bytes 0x80..0x9F; 0 marks the five undefined ones.
constexpr std::array<char16_t, 32> HogeReeks = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

constexpr char ByteOrderMark[] = "\xEF\xBB\xBF";
constexpr qsizetype MarkSize = 3;

// The byte of one character, or -1 when the code page has none.
int byteOf(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (std::size_t i = 0; i < HogeReeks.size(); ++i)
        if (HogeReeks[i] == c)
            return static_cast<int>(0x80 + i);
    if (c >= 0x80 && c < 0xA0 && HogeReeks[c - 0x80] == 0)
        return c; // an undefined byte, read back as its own control character
    return -1;
}

// The sort rank of every UTF-16 unit: the code page's 256 characters take
// their byte; all other units follow in code point order. That is exactly
// 65,536 ranks, so a rank fits a unit again.
using RankTable = std::array<char16_t, 0x10000>;

std::unique_ptr<RankTable> makeRankTable() {
    auto table = std::make_unique<RankTable>();
    std::vector<char16_t> unitOfRank(0x10000);
    for (std::uint32_t unit = 0; unit < 0x10000; ++unit)
        unitOfRank[Text::codePointRank(static_cast<char16_t>(unit))] = static_cast<char16_t>(unit);
    std::uint32_t next = 0x100;
    for (const char16_t unit : unitOfRank) {
        const int byte = byteOf(unit);
        (*table)[unit] = static_cast<char16_t>(byte >= 0 ? byte : next++);
    }
    return table;
}

const RankTable& ranks() {
    static const std::unique_ptr<RankTable> table = makeRankTable();
    return *table;
}

QString decodeCodePage(const char* bytes, qsizetype size) {
    QString text(size, Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < size; ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        const char16_t hoog = b >= 0x80 && b < 0xA0 ? HogeReeks[b - 0x80] : 0;
        out[i] = QChar(hoog != 0 ? hoog : char16_t(b));
    }
    return text;
}

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

} // namespace

std::u16string sortKey(const QString& text) {
    const RankTable& rank = ranks();
    std::u16string key(static_cast<std::size_t>(text.size()), u'\0');
    for (qsizetype i = 0; i < text.size(); ++i)
        key[static_cast<std::size_t>(i)] = rank[text.at(i).unicode()];
    return key;
}

int compare(const QString& a, const QString& b) {
    const RankTable& rank = ranks();
    const qsizetype common = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i) {
        const char16_t x = rank[a.at(i).unicode()];
        const char16_t y = rank[b.at(i).unicode()];
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool fitsCodePage(QStringView text) {
    for (QChar c : text)
        if (byteOf(c.unicode()) < 0)
            return false;
    return true;
}

QByteArray encode(const QString& text) {
    if (!fitsCodePage(text))
        return QByteArray(ByteOrderMark) + text.toUtf8();
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        bytes[i] = static_cast<char>(byteOf(text.at(i).unicode()));
    return bytes;
}

QString decode(const QByteArray& bytes) {
    if (bytes.startsWith(ByteOrderMark))
        return QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
    return decodeCodePage(bytes.constData(), bytes.size());
}

QStringList splitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines << text.mid(start, i - start);
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines << text.mid(start);
    return lines;
}

char* writeCodePage(char* out, QStringView text) {
    for (QChar c : text)
        *out++ = static_cast<char>(byteOf(c.unicode()));
    return out;
}

char* writeUtf8(char* out, QStringView text) {
    const auto byte = [&out](unsigned value) { *out++ = static_cast<char>(value); };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char32_t c = text.at(i).unicode();
        if (c < 0x80) {
            byte(c);
        } else if (c < 0x800) {
            byte(0xC0 | c >> 6);
            byte(0x80 | (c & 0x3F));
        } else if (QChar::isHighSurrogate(c) && i + 1 < text.size() &&
                   text.at(i + 1).isLowSurrogate()) {
            const char32_t p = QChar::surrogateToUcs4(char16_t(c), text.at(++i).unicode());
            byte(0xF0 | p >> 18);
            byte(0x80 | (p >> 12 & 0x3F));
            byte(0x80 | (p >> 6 & 0x3F));
            byte(0x80 | (p & 0x3F));
        } else if (QChar::isSurrogate(c)) {
            byte('?');
        } else {
            byte(0xE0 | c >> 12);
            byte(0x80 | (c >> 6 & 0x3F));
            byte(0x80 | (c & 0x3F));
        }
    }
    return out;
}

qsizetype utf8Size(QStringView text) {
    qsizetype size = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < 0x80)
            size += 1;
        else if (c < 0x800)
            size += 2;
        else if (QChar::isHighSurrogate(c) && i + 1 < text.size() &&
                 text.at(i + 1).isLowSurrogate())
            size += 4, ++i;
        else if (QChar::isSurrogate(c))
            size += 1;
        else
            size += 3;
    }
    return size;
}

namespace {

bool startsWithMark(const char* data, qsizetype size) {
    return QByteArrayView(data, size).startsWith(ByteOrderMark);
}

// QString::fromUtf8 drops a byte-order mark at the start of what it decodes.
// Only the first line may lose one, as it does in the whole text; at the
// start of a later line it is a character of that line (U+FEFF), and losing
// it there would change a name between saving and reading back.
QString decodeKeepingMark(const char* data, qsizetype size) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::ConvertInitialBom |
                                                     QStringConverter::Flag::Stateless);
    return decoder(QByteArrayView(data, size));
}

} // namespace

LineReader::LineReader(const QByteArray& bytes)
    : m_bytes(bytes)
    , m_utf8(bytes.startsWith(ByteOrderMark)) {
    if (m_utf8)
        m_position = 3;
}

QString LineReader::next() {
    if (atEnd())
        return QString();
    const char* data = m_bytes.constData();
    const qsizetype size = m_bytes.size();
    const qsizetype begin = m_position;
    qsizetype end = begin;
    while (end < size && !isLineEnd(data[end]))
        ++end;
    qsizetype next = end;
    if (next < size)
        next += data[next] == '\r' && next + 1 < size && data[next + 1] == '\n' ? 2 : 1;
    m_position = next;
    if (!m_utf8)
        return decodeCodePage(data + begin, end - begin);
    // With its line end, so a broken sequence just before it decodes as it
    // does inside the whole text; the line end then comes off again.
    QString line = startsWithMark(data + begin, next - begin) && begin != MarkSize
                       ? decodeKeepingMark(data + begin, next - begin)
                       : QString::fromUtf8(data + begin, next - begin);
    line.chop(next - end);
    return line;
}

} // namespace Ansi
