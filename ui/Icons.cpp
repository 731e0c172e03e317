#include "ui/Icons.h"

#include <QApplication>
#include <QIconEngine>
#include <QPaintDevice>
#include <QPainter>

namespace {

// Whether the desktop chose an icon theme of its own. Without one, as under a
// bare window manager, Qt names "hicolor": the fallback that every theme
// inherits and where programs install their own icons. It holds none of the
// standard glyphs, and reading its index (some 55 KB of settings) would cost
// milliseconds on the first paint, for nothing.
bool eigenThema() {
    const QString thema = QIcon::themeName();
    return !thema.isEmpty() && thema != QLatin1String("hicolor");
}

// The style's own glyphs. Without a theme of the desktop's own, the style is
// kept from searching the fallback theme for them, as it would otherwise.
class StijlZonderThema {
public:
    StijlZonderThema()
        : m_bewust(QGuiApplication::desktopSettingsAware()) {
        if (!eigenThema())
            QGuiApplication::setDesktopSettingsAware(false);
    }
    ~StijlZonderThema() { QGuiApplication::setDesktopSettingsAware(m_bewust); }
    StijlZonderThema(const StijlZonderThema&) = delete;
    StijlZonderThema& operator=(const StijlZonderThema&) = delete;

    QPixmap pixmap(QStyle::StandardPixmap glyph) const {
        return QApplication::style()->standardPixmap(glyph);
    }
    QIcon icoon(QStyle::StandardPixmap glyph) const {
        return QApplication::style()->standardIcon(glyph);
    }

private:
    bool m_bewust;
};

// Chooses between the theme's icon and the style's one on first use and
// from then on hands every request to the chosen icon. The theme's icons are
// vector or multi-size images; the style's come in sizes up to 128 px, so
// neither is scaled up on a high-resolution screen.
//
// The style's complete icon decodes every size it has, the 128 px images
// included, which costs more than the rest of the main window's start. Its
// smallest image, the style's own pixmap, serves every request it covers;
// the complete icon is built only for a larger request, as on a
// high-resolution screen.
class UitgesteldIcoon : public QIconEngine {
public:
    UitgesteldIcoon(const QString& themaNaam, QStyle::StandardPixmap reserve)
        : m_themaNaam(themaNaam)
        , m_reserve(reserve) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal schaal = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
        icoonVoor(rect.size() * schaal).paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icoonVoor(size).pixmap(size, 1.0, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        // `size` is in device pixels here; the icon asks for logical ones.
        return icoonVoor(size).pixmap(size / scale, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icoonVoor(size).actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return volledig().availableSizes(mode, state);
    }
    QString iconName() override { return volledig().name(); }
    bool isNull() override { return icoonVoor({}).isNull(); }
    QString key() const override { return QStringLiteral("UitgesteldIcoon"); }
    QIconEngine* clone() const override { return new UitgesteldIcoon(*this); }

private:
    // The icon for a request of `pixels` device pixels.
    const QIcon& icoonVoor(QSize pixels) {
        kies();
        if (m_volledigGekozen)
            return m_icoon;
        if (!m_klein.isNull() && pixels.width() <= m_kleinMaat.width() &&
            pixels.height() <= m_kleinMaat.height())
            return m_klein;
        return volledig();
    }

    void kies() {
        if (m_gekozen)
            return;
        m_gekozen = true;
        if (eigenThema() && QIcon::hasThemeIcon(m_themaNaam)) {
            m_icoon = QIcon::fromTheme(m_themaNaam);
            m_volledigGekozen = true;
            return;
        }
        const QPixmap klein = StijlZonderThema().pixmap(m_reserve);
        // Only an image of one device pixel per pixel says its size plainly.
        if (klein.isNull() || klein.devicePixelRatio() != 1.0)
            return;
        m_kleinMaat = klein.size();
        m_klein = QIcon(klein);
    }

    const QIcon& volledig() {
        kies();
        if (!m_volledigGekozen) {
            m_icoon = StijlZonderThema().icoon(m_reserve);
            m_volledigGekozen = true;
        }
        return m_icoon;
    }

    QString m_themaNaam;
    QStyle::StandardPixmap m_reserve;
    bool m_gekozen = false;
    bool m_volledigGekozen = false;
    QIcon m_klein;
    QSize m_kleinMaat;
    QIcon m_icoon;
};

QString themaNaamVan(QStyle::StandardPixmap soort) {
    switch (soort) {
    case QStyle::SP_MessageBoxWarning:
        return QStringLiteral("dialog-warning");
    case QStyle::SP_MessageBoxCritical:
        return QStringLiteral("dialog-error");
    case QStyle::SP_MessageBoxQuestion:
        return QStringLiteral("dialog-question");
    default:
        return QStringLiteral("dialog-information");
    }
}

// The style's message glyphs are images of 32 pixels; on a screen of more
// device pixels they would be scaled up and blurred. This draws the same
// signs as shapes, sharp at any scale: a red circle with a cross for an
// error, an amber triangle with "!" for a warning, a blue circle with "i"
// or "?" otherwise.
QPixmap tekenMelding(QStyle::StandardPixmap soort, int maat, qreal schaal) {
    QPixmap beeld(QSize(maat, maat) * schaal);
    beeld.setDevicePixelRatio(schaal);
    beeld.fill(Qt::transparent);
    QPainter painter(&beeld);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF vlak(1, 1, maat - 2, maat - 2);
    QString teken = QStringLiteral("i");
    QColor inkt = Qt::white;
    painter.setPen(Qt::NoPen);
    if (soort == QStyle::SP_MessageBoxWarning) {
        painter.setBrush(QColor(0xf0, 0xa3, 0x0a));
        const QPointF punten[] = {
            {vlak.center().x(), vlak.top()}, vlak.bottomRight(), vlak.bottomLeft()};
        painter.drawPolygon(punten, 3);
        teken = QStringLiteral("!");
        inkt = Qt::black;
    } else {
        painter.setBrush(soort == QStyle::SP_MessageBoxCritical ? QColor(0xd3, 0x2f, 0x2f)
                                                                : QColor(0x2a, 0x6f, 0xdb));
        painter.drawEllipse(vlak);
        if (soort == QStyle::SP_MessageBoxQuestion)
            teken = QStringLiteral("?");
    }
    if (soort == QStyle::SP_MessageBoxCritical) {
        painter.setPen(QPen(inkt, maat / 10.0, Qt::SolidLine, Qt::RoundCap));
        const qreal d = maat * 0.22;
        const QPointF m = vlak.center();
        painter.drawLine(m + QPointF(-d, -d), m + QPointF(d, d));
        painter.drawLine(m + QPointF(d, -d), m + QPointF(-d, d));
        return beeld;
    }
    QFont font = QApplication::font();
    font.setBold(true);
    font.setPixelSize(qRound(maat * 0.6));
    painter.setFont(font);
    painter.setPen(inkt);
    const QRectF tekstVlak =
        soort == QStyle::SP_MessageBoxWarning ? vlak.adjusted(0, maat * 0.2, 0, 0) : vlak;
    painter.drawText(tekstVlak, Qt::AlignCenter, teken);
    return beeld;
}

} // namespace

QPixmap meldingIcoon(QStyle::StandardPixmap soort, int maat, qreal schaal) {
    const QSize nodig = QSize(maat, maat) * schaal;
    QIcon icoon;
    if (eigenThema() && QIcon::hasThemeIcon(themaNaamVan(soort)))
        icoon = QIcon::fromTheme(themaNaamVan(soort));
    else
        icoon = StijlZonderThema().icoon(soort);
    const QPixmap beeld = icoon.pixmap(QSize(maat, maat), schaal);
    if (!beeld.isNull() && beeld.width() >= nodig.width())
        return beeld;
    return tekenMelding(soort, maat, schaal);
}

QIcon themaIcoon(const QString& themaNaam, QStyle::StandardPixmap reserve) {
    return QIcon(new UitgesteldIcoon(themaNaam, reserve));
}

QIcon okIcoon() {
    return themaIcoon(QStringLiteral("dialog-ok"), QStyle::SP_DialogOkButton);
}

QIcon annulerenIcoon() {
    return themaIcoon(QStringLiteral("dialog-cancel"), QStyle::SP_DialogCancelButton);
}
