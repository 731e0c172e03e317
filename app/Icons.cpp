#include "app/Icons.h"

#include <QApplication>

QIcon themaIcoon(const QString& themaNaam, QStyle::StandardPixmap reserve) {
    return QIcon::fromTheme(themaNaam, QApplication::style()->standardIcon(reserve));
}
