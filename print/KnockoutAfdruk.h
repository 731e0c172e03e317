#pragma once

#include "print/Afdruk.h"
#include "print/SchemaGeometrie.h"

#include <cstdint>
#include <vector>

class QPainter;
class TKnockout;
class TKnockoutWedstrijd;

// A bracket on paper: everything the bracket view shows, with a column per
// round, the match captions, both lines of every box and the pool codes of
// the first round, joined by lines.
//
// Each column is as wide as the longest line of its own round. When that
// makes the bracket too wide for the page, the widest columns give way: a
// name that no longer fits is set smaller, down to the legible minimum, and
// then shortened with an ellipsis.
//
// A bracket that does not fit one page at a legible size is cut into tiles:
// blocks of whole rounds across, and halves, quarters and so on of the draw
// down. Each block lays its first round out as closely as the first round of
// the whole bracket, and repeats the captions of its rounds. Where a line
// runs on into another tile, a mark names the page it continues on.
class TKnockoutAfdruk : public Afdruk::TDocument {
public:
    // Names are never shown smaller than this on paper (the em height).
    static constexpr double KleinsteNaamMm = Afdruk::KleinsteLetterMm;

    TKnockoutAfdruk(const TKnockout& knockout, Afdruk::TKop kop);

    // "Winnaarsronde" for bracket 1, "Verliezersronde" otherwise.
    static QString Naam(std::uint8_t knockoutNr);

    // Scales the whole bracket onto one page, however small that makes it.
    bool OpEenBlad = false;

    int Opmaken(QSizeF romp) override;
    void TekenPagina(QPainter& painter, int index) const override;
    // Landscape for a bracket wider than it is tall at full size.
    QPageLayout::Orientation Richting() const override;

    // After Opmaken: the page (from 1) that shows a match, rounds and
    // matches counted from 0; and the scale of that page (1 = full size).
    int BladVan(int ronde, int nummer) const;
    double Schaal(int index) const;

private:
    struct TBlok {
        int eersteRonde = 0;
        int rondes = 0;
        int delen = 1;       // slices of the draw down: 1, 2, 4, ...
        int eersteBlad = 0;  // page index of its first slice
        double schaal = 1.0; // below 1 only when a tile cannot hold it otherwise
    };

    double BlokBreedte(int eersteRonde, int rondes) const;
    double Links(const TBlok& blok) const;
    // The columns and rows of one slice of a block.
    TSchemaGeometrie Geometrie(const TBlok& blok, int deel) const;
    const TBlok& BlokVan(int ronde) const;
    int PerDeel(const TBlok& blok, int ronde) const;
    void TekenWedstrijd(QPainter& painter, const TKnockoutWedstrijd& wedstrijd, double x,
                        double breedte, double midden, double schaal) const;
    void TekenCodes(QPainter& painter, const TKnockoutWedstrijd& wedstrijd, double x,
                    double midden) const;

    const TKnockout& m_knockout;
    const QFont m_naamFont;
    const QFont m_winnaarFont;
    const QFont m_labelFont;
    const QFont m_rondeFont;
    const Afdruk::TMaat m_naamMaat;
    const Afdruk::TMaat m_winnaarMaat;
    const Afdruk::TMaat m_labelMaat;
    const Afdruk::TMaat m_rondeMaat;
    int m_rondes = 0;
    int m_eersteRonde = 0; // matches in round 1
    std::vector<double> m_eigenBreedtes; // per round, holding its longest line
    std::vector<double> m_breedtes;      // per round, as laid out
    double m_codeBreedte = 0;
    double m_merkInBreedte = 0;  // "← blad 3" before a block's first round
    double m_merkUitBreedte = 0; // "→ blad 5" after its last
    std::vector<TBlok> m_blokken;
};
