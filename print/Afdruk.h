#pragma once

#include <QDateTime>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPointF>
#include <QSizeF>
#include <QString>

class QPagedPaintDevice;
class QPainter;

// What every printout shares: the page frame with its heading and page
// numbers, the fonts, and the one drawing routine that the print preview,
// the printer and the PDF files all go through.
//
// Documents lay themselves out in points (1/72 inch), whatever the device,
// so the page count never depends on the printer's resolution.
namespace Afdruk {

constexpr double PuntenPerMm = 72.0 / 25.4;
// Names are never shown smaller than this on paper (the em height).
constexpr double KleinsteLetterMm = 2.5;
// The thinnest line on paper; thinner lines vanish on many printers.
constexpr double DunsteLijn = 0.25 * PuntenPerMm;

// The heading of every page.
struct TKop {
    QString Toernooi;  // the tournament's name, see ToernooiTitel
    QString Onderwerp; // what is printed: "Winnaarsronde", "Poules", ...
    QDateTime Moment;  // when it was printed
};

// The tournament's name for the heading: the file's name without folder
// and extension, or "Naamloos toernooi" before it has been saved.
QString ToernooiTitel(const QString& bestandsnaam);

// A font of `punten` points for the layout's point coordinates. Hinting is
// off, so that widths measured once hold at every scale and resolution.
QFont Lettertype(int punten, bool vet = false);

// The only line of a page of a printout of pools when there are none.
void TekenGeenPoules(QPainter& painter);

// Text widths in points, measured on an enlarged copy of the font so that
// rounding to whole pixels does not distort them.
class TMaat {
public:
    explicit TMaat(const QFont& font);
    double Breedte(const QString& tekst) const;
    // The text shortened at its end with an ellipsis to at most `breedte`.
    QString Ingekort(const QString& tekst, double breedte) const;

private:
    QFontMetricsF m_metrics;
    double m_factor;
};

// Draws a line of text from its baseline within `ruimte` points: as it is
// when it fits, otherwise smaller, down to `kleinste` times its size, and
// what is then still too long ends in an ellipsis.
void TekenPassend(QPainter& painter, const QFont& font, const TMaat& maat, QPointF basis,
                  const QString& tekst, double ruimte, double kleinste);

// A printable document. Opmaken is called before drawing, with the size of
// the area a page leaves for the document between heading and page number.
class TDocument {
public:
    virtual ~TDocument() = default;

    // Lays the document out on pages with a body of this size, in points;
    // returns the number of pages, at least 1.
    virtual int Opmaken(QSizeF romp) = 0;
    // Draws page `index` (from 0) of the last layout; the painter works in
    // points with its origin at the body's top left.
    virtual void TekenPagina(QPainter& painter, int index) const = 0;
    // The orientation the document reads best in, for a new page layout.
    virtual QPageLayout::Orientation Richting() const { return QPageLayout::Portrait; }

    TKop Kop;
};

// The height the heading and the page number take from a page.
double KopHoogte();
double VoetHoogte();
// The body of a page with this layout, in points.
QSizeF Romp(const QPageLayout& layout);

// The page layout a printout starts with: A4, upright unless asked
// otherwise, margins of 12 mm.
QPageLayout StandaardLayout(QPageLayout::Orientation richting = QPageLayout::Portrait);

// Lays the document out for the device's page and draws every page on it,
// each with the heading and "blad N van M". Returns the page count, or 0
// when the device could not be painted on.
int Teken(TDocument& document, QPagedPaintDevice& apparaat);

// Writes the document as a PDF file; false when the file cannot be written.
bool BewaarPdf(TDocument& document, const QString& pad,
               const QPageLayout& layout = StandaardLayout());

} // namespace Afdruk
