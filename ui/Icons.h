#pragma once

#include <QIcon>
#include <QStyle>

// A glyph from the desktop's icon theme, or Qt's own standard icon where the
// theme has none. Nothing is looked up or loaded until the icon is first
// drawn, so windows that start hidden cost nothing at start-up.
QIcon themaIcoon(const QString& themaNaam, QStyle::StandardPixmap reserve);

// The glyph of a message box, `maat` pixels square, as sharp as a screen of
// `schaal` device pixels per pixel shows it: from the desktop's icon theme, or
// the style's own image where that has the pixels, or else drawn.
QPixmap meldingIcoon(QStyle::StandardPixmap soort, int maat, qreal schaal);

// The glyphs of every dialog's OK and Annuleren buttons.
QIcon okIcoon();
QIcon annulerenIcoon();
