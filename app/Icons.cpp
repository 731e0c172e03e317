#include "app/Icons.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>

namespace {

// Chooses between the theme's icon and the style's one on first use and
// from then on hands every request to the chosen icon. The theme's icons are
// vector or multi-size images; the style's come in sizes up to 128 px, so
// neither is scaled up on a high-resolution screen.
class UitgesteldIcoon : public QIconEngine {
public:
    UitgesteldIcoon(const QString& themaNaam, QStyle::StandardPixmap reserve)
        : m_themaNaam(themaNaam)
        , m_reserve(reserve) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        icoon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icoon().pixmap(size, 1.0, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        // `size` is in device pixels here; the icon asks for logical ones.
        return icoon().pixmap(size / scale, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icoon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icoon().availableSizes(mode, state);
    }
    QString iconName() override { return icoon().name(); }
    bool isNull() override { return icoon().isNull(); }
    QString key() const override { return QStringLiteral("UitgesteldIcoon"); }
    QIconEngine* clone() const override { return new UitgesteldIcoon(*this); }

private:
    const QIcon& icoon() {
        if (!m_gekozen) {
            m_icoon = QIcon::hasThemeIcon(m_themaNaam)
                          ? QIcon::fromTheme(m_themaNaam)
                          : QApplication::style()->standardIcon(m_reserve);
            m_gekozen = true;
        }
        return m_icoon;
    }

    QString m_themaNaam;
    QStyle::StandardPixmap m_reserve;
    QIcon m_icoon;
    bool m_gekozen = false;
};

} // namespace

QIcon themaIcoon(const QString& themaNaam, QStyle::StandardPixmap reserve) {
    return QIcon(new UitgesteldIcoon(themaNaam, reserve));
}
