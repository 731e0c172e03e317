#pragma once

#include "model/Deelnemer.h"
#include "model/Deelnemerslijst.h"
#include "print/Afdruk.h"

#include <vector>

class QPainter;

// The participant list for the registration desk: numbered, in the order
// given, with the pool and the position where they are known. A long list
// runs on in columns, as many as the page's width holds and at least two: a
// name too long for half the page is set smaller, down to the legible
// size, and then shortened.
class TDeelnemersAfdruk : public Afdruk::TDocument {
public:
    struct TRij {
        QString Naam;
        int Poule = 0;    // 0 = not in a pool
        int Positie = -1; // below 1 = not known
    };

    TDeelnemersAfdruk(std::vector<TRij> rijen, Afdruk::TKop kop);

    // The rows for these names, in their order, each with the pool and
    // position of the participant of the same names in the tournament.
    static std::vector<TRij> Rijen(const Deelnemerslijst::TNamen& namen,
                                   const TDeelnemerLijst& toernooi);

    int Opmaken(QSizeF romp) override;
    void TekenPagina(QPainter& painter, int index) const override;

private:
    std::vector<TRij> m_rijen;
    double m_nrBreedte = 0;
    double m_naamBreedte = 0; // the longest name's
    double m_naamRuimte = 0;  // as laid out
    double m_schaal = 1.0;
    int m_perKolom = 1;
    int m_kolommen = 1; // per page
};
