#pragma once

#include "print/SchemaGeometrie.h"

#include <QWidget>

#include <set>

class TKnockout;
class TToernooiDocument;
class TKnockoutWedstrijd;
class TKnockoutWedstrijdWijzig;

// The drawn bracket: a column per round with its caption, a two-line box per
// match with a caption above it, the lines that join each pair of matches to
// the match they feed, and two choice buttons beside every first-round box.
// Everything is painted by this one widget, so even a bracket of thousands
// of participants builds and scrolls quickly; a match or a choice button
// that changes repaints only its own box or button. Every change goes
// through the document, whose signals say which boxes to repaint.
//
// From the keyboard one match box or choice button is current (the focus
// cursor): the arrow keys move it, Enter and Space click it. Screen readers
// see every match and every choice button as a child of this widget
// (KnockoutViewToegang.h).
class TKnockoutView : public QWidget {
    Q_OBJECT

public:
    static constexpr int Marge = 35;
    static constexpr int WedstrijdHoogte = 35;
    static constexpr int WedstrijdBreedte = 150;

    // A match box or a choice button; rounds and matches counted from 0.
    struct Plaats {
        int ronde = -1;
        int nummer = -1;
        int plek = -1; // -1 = the box, 0/1 = a choice button of the first round
        bool IsGeldig() const { return ronde >= 0; }
        bool IsKnop() const { return plek >= 0; }
        bool operator==(const Plaats&) const = default;
    };

    TKnockoutView(const TKnockout& knockout, QWidget* parent);
    ~TKnockoutView() override;

    const TKnockout& Knockout() const { return m_knockout; }

    // Geometry, rounds and matches counted from 0.
    QRect WedstrijdRect(int ronde, int nummer) const;
    QRect KnopRect(int wedstrijd, int plek) const; // first round only
    QRect RondeLabelRect(int ronde) const;
    QRect WedstrijdLabelRect(int ronde, int nummer) const;
    int MiddenY(int ronde, int nummer) const;
    int KolomX(int ronde) const;
    QRect PlaatsRect(Plaats plaats) const;
    // The match box or choice button at the point; invalid when none.
    Plaats PlaatsOp(QPoint punt) const;

    // What a click at the point does: the match box or the choice button.
    void Klik(QPoint punt);
    // A click on a match box or choice button.
    void Activeer(Plaats plaats);

    // The focus cursor. Moving it repaints the two places involved, scrolls
    // the new one into view and tells screen readers.
    Plaats Cursor() const { return m_cursor; }
    void ZetCursor(Plaats plaats);

    // Every match, round by round, then the choice buttons in order.
    int AantalPlaatsen() const;
    int IndexVan(Plaats plaats) const;
    Plaats PlaatsVanIndex(int index) const;
    // "Ronde 1, wedstrijd 3: Anna de Vries 3, Bram Jansen 1" for a match.
    QString Omschrijving(Plaats plaats) const;
    // A playable match box or a choice button: it reacts to a click.
    bool IsKlikbaar(Plaats plaats) const;

    // "Winnaar: <naam>" right of a decided final, on the line that leaves
    // it; empty while there is no winner.
    QString WinnaarTekst() const;
    QRect WinnaarRect() const { return m_winnaarRect; }

    // The document whose bracket this is: clicks change the bracket
    // through it, and its signals repaint the boxes that changed.
    void ZetDocument(TToernooiDocument* document);
    // The matches marked as to be cleared while the correction question is open.
    const std::set<const TKnockoutWedstrijd*>& Gemarkeerd() const { return m_gemarkeerd; }

Q_SIGNALS:
    // A corrected score cleared this many later results.
    void Gecorrigeerd(int gewist);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool event(QEvent* event) override;

private:
    std::pair<int, int> ZichtbareWedstrijden(int ronde, const QRect& gebied) const;
    void TekenLijnen(QPainter& painter, const QRect& gebied) const;
    void TekenRonde(QPainter& painter, int ronde, const QRect& gebied) const;
    void TekenWedstrijd(QPainter& painter, const TKnockoutWedstrijd& wedstrijd,
                        const QRect& rect) const;
    void TekenKnop(QPainter& painter, const TKnockoutWedstrijdWijzig& wijziger, Plaats plaats,
                   const QRect& rect) const;
    void TekenFocus(QPainter& painter, const QRect& rect) const;
    void TekenWinnaar(QPainter& painter) const;
    void KlikWedstrijd(int ronde, int nummer);
    void KlikKnop(int wedstrijd, int plek);
    void Markeer(std::set<const TKnockoutWedstrijd*> wedstrijden);
    void VernieuwWinnaar();
    // The match and every match after it on the way to the final changed.
    void PadGewijzigd(int knockoutNr, int ronde, int nummer);
    void WedstrijdGewijzigd(Plaats plaats);
    Plaats Buur(Plaats van, int toets) const;
    void ZetZweef(Plaats plaats);
    void ToonTip(QPoint punt, QPoint globaal);
    void MaakCursorZichtbaar();
    void MeldFocus() const;
    int OntwerpBreedte() const;

    const TKnockout& m_knockout;
    // The designed columns and rows of the bracket, in whole pixels.
    TSchemaGeometrie m_geometrie;
    TToernooiDocument* m_document = nullptr;
    std::set<const TKnockoutWedstrijd*> m_gemarkeerd;
    int m_rondes;
    int m_eersteRonde; // matches in round 1
    Plaats m_cursor;
    Plaats m_terug;      // where Left returns to after a move to the right
    Plaats m_zweef;      // the choice button under the mouse
    Plaats m_ingedrukt;  // the place the left mouse button went down on
    QString m_winnaar;   // the winner's caption, empty without a winner
    QRect m_winnaarRect; // the caption and its line
};
