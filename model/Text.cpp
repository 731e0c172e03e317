#include "model/Text.h"

#include <algorithm>

namespace Text {

namespace {

bool isBlankOrControl(QChar c) {
    return c.unicode() <= 32;
}

// Half of a surrogate pair without its other half, as a broken UTF-16 text
// holds: no file encoding can store it, so a save would change it unseen.
bool isLoneSurrogate(const QString& text, qsizetype i) {
    const QChar c = text.at(i);
    if (c.isHighSurrogate())
        return i + 1 >= text.size() || !text.at(i + 1).isLowSurrogate();
    if (c.isLowSurrogate())
        return i == 0 || !text.at(i - 1).isHighSurrogate();
    return false;
}

} // namespace

QString trimmed(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlankOrControl(text.at(begin)))
        ++begin;
    while (end > begin && isBlankOrControl(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

QString cleanName(const QString& name) {
    const auto control = [](QChar c) { return c.unicode() < 32; };
    const auto needsWork = [&](QChar c) { return control(c) || c.isSurrogate(); };
    if (std::none_of(name.begin(), name.end(), needsWork))
        return trimmed(name);
    QString result;
    result.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (isLoneSurrogate(name, i)) {
            result.append(QChar::ReplacementCharacter);
            continue;
        }
        if (!control(name.at(i))) {
            result.append(name.at(i));
            continue;
        }
        while (i + 1 < name.size() && control(name.at(i + 1)))
            ++i;
        result.append(u' ');
    }
    return trimmed(result);
}

bool hasLoneSurrogate(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isLoneSurrogate(text, i))
            return true;
    }
    return false;
}

QString upperAscii(const QString& text) {
    QString result = text;
    for (QChar& c : result) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - u'a' + u'A');
    }
    return result;
}

QString lowerAscii(const QString& text) {
    QString result = text;
    for (QChar& c : result) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() - u'A' + u'a');
    }
    return result;
}

// Surrogates sit below U+E000 in UTF-16 but encode code points above U+FFFF;
// shifting the two ranges restores code point order for a unit-wise compare.
char16_t codePointRank(char16_t unit) {
    if (unit >= 0xE000)
        return static_cast<char16_t>(unit - 0x800);
    if (unit >= 0xD800)
        return static_cast<char16_t>(unit + 0x2000);
    return unit;
}

int compareCodePoints(const QString& a, const QString& b) {
    const qsizetype common = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i) {
        const char16_t x = codePointRank(a.at(i).unicode());
        const char16_t y = codePointRank(b.at(i).unicode());
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

QString displayLineBreaks(const QString& text) {
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\n' && c != u'\r') {
            result.append(c);
            continue;
        }
        const bool pairFollows = i + 1 < text.size() &&
                                 (text.at(i + 1) == u'\n' || text.at(i + 1) == u'\r') &&
                                 text.at(i + 1) != c;
        if (pairFollows)
            ++i;
        result.append(u'\n');
    }
    return result;
}

} // namespace Text
