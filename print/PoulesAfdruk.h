#pragma once

#include "model/Deelnemer.h"
#include "print/Afdruk.h"

#include <QStringList>

#include <vector>

class QPainter;

// The pool sheets a table official fills in by hand: per pool its letters
// and names with an empty box for the final position, and an empty score
// for every pair. Several pools share a page when they fit; a pool never
// breaks across pages.
class TPoulesAfdruk : public Afdruk::TDocument {
public:
    TPoulesAfdruk(const TDeelnemerLijst& deelnemers, Afdruk::TKop kop);

    // The pairs of a pool of this size in the sheet's order: "A–B", "A–C", ...
    static QStringList Paren(int grootte);

    int Opmaken(QSizeF romp) override;
    void TekenPagina(QPainter& painter, int index) const override;

private:
    struct TPoule {
        int nummer = 0;
        QStringList namen; // in letter order
    };
    struct TPlaats {
        int poule = 0; // index into m_poules
        double y = 0;
        double schaal = 1.0;
    };

    double Hoogte(const TPoule& poule) const;
    double Breedte() const;
    void TekenPoule(QPainter& painter, const TPoule& poule, double schaal) const;

    std::vector<TPoule> m_poules;
    std::vector<std::vector<TPlaats>> m_bladen;
    double m_naamBreedte = 0;
    int m_paarKolommen = 1;
};
