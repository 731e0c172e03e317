#pragma once

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
// that changes repaints only its own box or button.
class TKnockoutView : public QWidget {
    Q_OBJECT

public:
    static constexpr int Marge = 35;
    static constexpr int WedstrijdHoogte = 35;
    static constexpr int WedstrijdBreedte = 150;

    TKnockoutView(TKnockout& knockout, QWidget* parent);
    ~TKnockoutView() override;

    // Geometry, rounds and matches counted from 0.
    QRect WedstrijdRect(int ronde, int nummer) const;
    QRect KnopRect(int wedstrijd, int plek) const; // first round only
    QRect RondeLabelRect(int ronde) const;
    QRect WedstrijdLabelRect(int ronde, int nummer) const;
    int MiddenY(int ronde, int nummer) const;
    int KolomX(int ronde) const;

    // What a click at the point does: the match box or the choice button.
    void Klik(QPoint punt);

    // Every change through this view becomes one step of the document.
    void ZetDocument(TToernooiDocument* document) { m_document = document; }
    // The matches marked as to be cleared while the correction question is open.
    const std::set<const TKnockoutWedstrijd*>& Gemarkeerd() const { return m_gemarkeerd; }

Q_SIGNALS:
    // A corrected score cleared this many later results.
    void Gecorrigeerd(int gewist);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    struct Plaats {
        int ronde = -1;
        int nummer = -1;
        int plek = -1; // -1 = the box, 0/1 = a choice button
    };
    Plaats ZoekPlaats(QPoint punt) const;
    std::pair<int, int> ZichtbareWedstrijden(int ronde, const QRect& gebied) const;
    void TekenLijnen(QPainter& painter, const QRect& gebied) const;
    void TekenRonde(QPainter& painter, int ronde, const QRect& gebied) const;
    void TekenWedstrijd(QPainter& painter, const TKnockoutWedstrijd& wedstrijd,
                        const QRect& rect) const;
    void TekenKnop(QPainter& painter, const TKnockoutWedstrijdWijzig& wijziger,
                   const QRect& rect) const;
    void KoppelWaarnemers();
    void KlikWedstrijd(int ronde, int nummer);
    void KlikKnop(int wedstrijd, int plek);
    // The step's name: "Wedstrijd 3, Ronde 1", with the losers' round named.
    QString Plaatsnaam(int ronde, int nummer) const;
    void Markeer(std::set<const TKnockoutWedstrijd*> wedstrijden);

    TKnockout& m_knockout;
    TToernooiDocument* m_document = nullptr;
    std::set<const TKnockoutWedstrijd*> m_gemarkeerd;
    int m_rondes;
    int m_eersteRonde; // matches in round 1
};
