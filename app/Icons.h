#pragma once

#include <QIcon>
#include <QStyle>

// A glyph from the desktop's icon theme, or Qt's own standard icon where the
// theme has none.
QIcon themaIcoon(const QString& themaNaam, QStyle::StandardPixmap reserve);
