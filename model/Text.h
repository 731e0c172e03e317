#pragma once

#include <QString>

// Text rules shared by every part of the tournament. Names are compared
// exactly; only the ASCII letters are ever folded, so accented letters and
// letters of other scripts keep their own identity and sort after A-Z.
namespace Text {

// Removes leading and trailing characters of code 32 or lower (blanks and
// control characters), but nothing else: a no-break space stays.
QString trimmed(const QString& text);

// A name as it may be held and stored. The tournament file keeps one name
// per line, so no name may hold a line break: every run of control
// characters (codes below 32: line breaks, tabs) becomes one blank, and the
// result is trimmed. Blanks typed on purpose stay as they are. Half of a
// surrogate pair on its own, which no file can store, becomes U+FFFD, so
// the name shown is the name stored.
QString cleanName(const QString& name);

// True when the text holds half a surrogate pair on its own, as broken
// UTF-16 does.
bool hasLoneSurrogate(const QString& text);

// Folds only a-z to A-Z (or A-Z to a-z); every other character is kept.
QString upperAscii(const QString& text);
QString lowerAscii(const QString& text);

// Orders two texts by Unicode code point, the order that byte-wise comparison
// gives for Latin-1 text and for UTF-8; <0, 0 or >0.
int compareCodePoints(const QString& a, const QString& b);
// A UTF-16 unit's place in code point order: surrogates, which encode code
// points above U+FFFF, move after U+E000..U+FFFF.
char16_t codePointRank(char16_t unit);

// Message texts break lines with LF CR; a person should see one line break
// for LF CR, CR LF, LF or CR alike.
QString displayLineBreaks(const QString& text);

// The two-character line break used inside message texts.
inline const QString lineBreak = QStringLiteral("\n\r");

} // namespace Text
