#pragma once

#include "model/Deelnemer.h"
#include "model/Poulewedstrijden.h"
#include "print/Afdruk.h"

#include <QStringList>

#include <memory>
#include <vector>

class QPainter;

// The hall's paper sheet of the pool matches: per pool a cross table (every
// player against every other, with the won matches, the balance and the
// place) and the matches in the order they are played, round by round, with
// room for the score of each game. Scores already entered are printed, so
// the same sheet serves before and during play. Several pools share a page
// when they fit; a pool breaks across pages only when it is taller than a
// page, and then between rounds, its cross table on the first.
class TWedstrijdbladAfdruk : public Afdruk::TDocument {
public:
    TWedstrijdbladAfdruk(const TDeelnemerLijst& deelnemers,
                         const Poulewedstrijden::TPoulewedstrijden& wedstrijden, Afdruk::TKop kop);

    int Opmaken(QSizeF romp) override;
    void TekenPagina(QPainter& painter, int index) const override;

    // What a cross table cell shows for `games` seen from the row player,
    // who is A of the match when `alsA`: the games won against lost
    // ("2-1"), or under one score per side the score itself ("3-1").
    static QString Kruisscore(Poulewedstrijden::TSpelvorm spelvorm,
                              const Poulewedstrijden::TGames& games, bool alsA);

private:
    struct TRegel {
        int ronde = 0;
        bool begin = false; // the first line of its round
        int a = -1, b = -1; // letters (0-based); b < 0: a sits out
        QString uitslag;    // empty: not played
        int winnaar = -1;   // letter of the winner, or -1
    };
    struct TPoule {
        int nummer = 0;
        QStringList namen;              // in letter order
        std::vector<QStringList> kruis; // [row][column], empty when unplayed
        QStringList gewonnen, saldo, plaats;
        std::vector<TRegel> regels;
    };
    // A pool, or the part of it that stands on one page: the lines of its
    // match list from `van` up to `tot`, with the cross table on the first.
    struct TPlaats {
        int poule = 0;
        double y = 0;
        double schaal = 1.0;
        std::size_t van = 0;
        std::size_t tot = 0;
        bool kruis = true;
    };

    double Hoogte(const TPoule& poule, bool kruis, std::size_t regels) const;
    double Breedte(const TPoule& poule) const;
    void TekenPoule(QPainter& painter, const TPlaats& plaats) const;
    void TekenKruistabel(QPainter& painter, const TPoule& poule, double y) const;
    void TekenRondes(QPainter& painter, const TPoule& poule, double y, std::size_t van,
                     std::size_t tot) const;

    std::vector<TPoule> m_poules;
    std::vector<std::vector<TPlaats>> m_bladen;
    Poulewedstrijden::TSpelvorm m_spelvorm = Poulewedstrijden::TSpelvorm::Badminton;
    QString m_puntenKop;      // caption of the column of wins or points
    double m_naamBreedte = 0; // the longest name's, capped
    double m_breedte = 0;     // of the page's body, as laid out
};

// What the pools window prints: with pool matches the choice between the
// match sheets (first) and the pool sheets, otherwise the pool sheets alone.
std::unique_ptr<Afdruk::TDocument>
MaakPoulesAfdruk(const TDeelnemerLijst& deelnemers,
                 const Poulewedstrijden::TPoulewedstrijden& wedstrijden, const Afdruk::TKop& kop);
