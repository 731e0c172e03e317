#include "print/Afdruk.h"

#include <QFileInfo>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace Afdruk {

namespace {

constexpr int TitelPunten = 12;
constexpr int RegelPunten = 9;
constexpr int VoetPunten = 8;
constexpr double KopRuimte = 40;
constexpr double VoetRuimte = 16;
// Widths are measured on a font this many times larger than drawn.
constexpr int Meetfactor = 16;

// The tournament, the subject and the moment of printing, above a rule.
void TekenKop(QPainter& painter, const TKop& kop, double breedte) {
    const QFont titel = Lettertype(TitelPunten, true);
    const QFont regel = Lettertype(RegelPunten);
    const QString moment = QStringLiteral("Afgedrukt op %1 om %2")
                               .arg(kop.Moment.toString(QStringLiteral("d-M-yyyy")),
                                    kop.Moment.toString(QStringLiteral("HH:mm")));
    const double momentBreedte = TMaat(regel).Breedte(moment);
    // The tournament's name gives way to the moment, never the other way.
    const double titelBreedte = std::max(0.0, breedte - momentBreedte - 12);
    QFont groot = titel;
    groot.setPixelSize(TitelPunten * Meetfactor);
    const QString naam =
        QFontMetricsF(groot).elidedText(kop.Toernooi, Qt::ElideMiddle, titelBreedte * Meetfactor);
    painter.setPen(QPen(Qt::black, DunsteLijn));
    painter.setFont(titel);
    painter.drawText(QPointF(0, TitelPunten), naam);
    painter.setFont(regel);
    painter.drawText(QPointF(breedte - momentBreedte, TitelPunten), moment);
    painter.drawText(QPointF(0, TitelPunten + 4 + RegelPunten * 1.3), kop.Onderwerp);
    const double lijn = KopRuimte - 8;
    painter.drawLine(QPointF(0, lijn), QPointF(breedte, lijn));
}

void TekenVoet(QPainter& painter, QSizeF vlak, int index, int aantal) {
    const QFont font = Lettertype(VoetPunten);
    const QString tekst = QStringLiteral("blad %1 van %2").arg(index + 1).arg(aantal);
    painter.setFont(font);
    painter.setPen(QPen(Qt::black, DunsteLijn));
    const double breedte = TMaat(font).Breedte(tekst);
    painter.drawText(QPointF((vlak.width() - breedte) / 2, vlak.height() - 3), tekst);
}

} // namespace

QString ToernooiTitel(const QString& bestandsnaam) {
    const QString naam = QFileInfo(bestandsnaam).completeBaseName();
    return naam.isEmpty() ? QStringLiteral("Naamloos toernooi") : naam;
}

void TekenGeenPoules(QPainter& painter) {
    painter.setFont(Lettertype(9));
    painter.drawText(QPointF(0, 16), QStringLiteral("Er zijn geen poules."));
}

QFont Lettertype(int punten, bool vet) {
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setHintingPreference(QFont::PreferNoHinting);
    // Shaping joins ff, fi, fl, ffi and ffl into ligature glyphs, which the PDF
    // then records as ligature characters: "Hoffmann" could neither be found
    // nor copied. Latin names read the same without it.
    font.setStyleStrategy(QFont::PreferNoShaping);
    font.setPixelSize(std::max(1, punten));
    font.setBold(vet);
    return font;
}

namespace {

QFont Vergroot(QFont font) {
    font.setPixelSize(font.pixelSize() * Meetfactor);
    return font;
}

} // namespace

TMaat::TMaat(const QFont& font)
    : m_metrics(Vergroot(font))
    , m_factor(1.0 / Meetfactor) {}

double TMaat::Breedte(const QString& tekst) const {
    return m_metrics.horizontalAdvance(tekst) * m_factor;
}

QString TMaat::Ingekort(const QString& tekst, double breedte) const {
    return m_metrics.elidedText(tekst, Qt::ElideRight, breedte / m_factor);
}

void TekenPassend(QPainter& painter, const QFont& font, const TMaat& maat, QPointF basis,
                  const QString& tekst, double ruimte, double kleinste) {
    painter.setFont(font);
    const double breedte = maat.Breedte(tekst);
    if (breedte <= ruimte) {
        painter.drawText(basis, tekst);
        return;
    }
    const double factor = std::max(ruimte / breedte, std::min(1.0, kleinste));
    const QString kort = breedte * factor <= ruimte ? tekst : maat.Ingekort(tekst, ruimte / factor);
    painter.save();
    painter.translate(basis);
    painter.scale(factor, factor);
    painter.drawText(QPointF(0, 0), kort);
    painter.restore();
}

double KopHoogte() {
    return KopRuimte;
}

double VoetHoogte() {
    return VoetRuimte;
}

QSizeF Romp(const QPageLayout& layout) {
    const QSizeF vlak = layout.paintRect(QPageLayout::Point).size();
    return {std::max(1.0, vlak.width()), std::max(1.0, vlak.height() - KopRuimte - VoetRuimte)};
}

QPageLayout StandaardLayout(QPageLayout::Orientation richting) {
    return QPageLayout(QPageSize(QPageSize::A4), richting, QMarginsF(12, 12, 12, 12),
                       QPageLayout::Millimeter);
}

int Teken(TDocument& document, QPagedPaintDevice& apparaat) {
    const QPageLayout layout = apparaat.pageLayout();
    const QSizeF vlak = layout.paintRect(QPageLayout::Point).size();
    const int aantal = std::max(1, document.Opmaken(Romp(layout)));
    QPainter painter;
    if (!painter.begin(&apparaat))
        return 0;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const double schaalX = apparaat.logicalDpiX() / 72.0;
    const double schaalY = apparaat.logicalDpiY() / 72.0;
    for (int index = 0; index < aantal; ++index) {
        if (index > 0 && !apparaat.newPage())
            return 0;
        painter.resetTransform();
        painter.scale(schaalX, schaalY);
        TekenKop(painter, document.Kop, vlak.width());
        TekenVoet(painter, vlak, index, aantal);
        painter.save();
        painter.translate(0, KopRuimte);
        document.TekenPagina(painter, index);
        painter.restore();
    }
    return painter.end() ? aantal : 0;
}

bool BewaarPdf(TDocument& document, const QString& pad, const QPageLayout& layout) {
    QPdfWriter schrijver(pad);
    schrijver.setPageLayout(layout);
    schrijver.setCreator(QStringLiteral("Zegerooster"));
    schrijver.setTitle(document.Kop.Toernooi + QStringLiteral(" - ") + document.Kop.Onderwerp);
    return Teken(document, schrijver) > 0;
}

} // namespace Afdruk
