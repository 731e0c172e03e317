#pragma once

#include <QIcon>
#include <QStyle>

// A glyph from the desktop's icon theme, or Qt's own standard icon where the
// theme has none. Nothing is looked up or loaded until the icon is first
// drawn, so windows that start hidden cost nothing at start-up.
QIcon themaIcoon(const QString& themaNaam, QStyle::StandardPixmap reserve);

// The glyphs of every dialog's OK and Annuleren buttons.
QIcon okIcoon();
QIcon annulerenIcoon();
