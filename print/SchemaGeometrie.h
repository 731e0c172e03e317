#pragma once

#include <vector>

// Where the parts of a drawn bracket stand: a column per round with its
// match boxes, the joints where the lines from two matches meet and go on to
// the match they feed, and the captions over a column or a box. The knockout
// window, the printout and the presentation screen all take their positions
// from here; they differ only in their sizes and in how they paint.
//
// A geometry may show part of a bracket: the rounds from `eersteRonde` on,
// and of each round a run of its matches. The matches of the first column
// share the height evenly; every later match sits midway between the two
// that feed it. Rounds and matches are counted from 0, as in the bracket.
//
// With whole pixels, every half and every offset from the top is cut to a
// whole number, as a widget's integer geometry needs; otherwise positions
// are exact (paper).
class TSchemaGeometrie {
public:
    // One column: its box width and the matches of its round that it shows.
    struct TKolom {
        double breedte = 0;
        int eerste = 0;
        int aantal = 1;
    };

    TSchemaGeometrie() = default;
    // The first column's box starts at `links`; `tussen` is the room between
    // two columns, for the lines. The rows fill `hoogte` from `boven`.
    TSchemaGeometrie(int eersteRonde, std::vector<TKolom> kolommen, double links, double tussen,
                     double boven, double hoogte, bool helePixels = false);

    int EersteRonde() const { return m_eersteRonde; }
    int LaatsteRonde() const { return m_eersteRonde + static_cast<int>(m_x.size()) - 1; }
    bool Toont(int ronde) const { return ronde >= m_eersteRonde && ronde <= LaatsteRonde(); }
    const TKolom& Kolom(int ronde) const;

    // The box of a round: its left edge, width and centre.
    double X(int ronde) const;
    double Breedte(int ronde) const { return Kolom(ronde).breedte; }
    double MiddenX(int ronde) const { return X(ronde) + Half(Breedte(ronde)); }
    // The centre of a match's box, and the top of a box of `hoogte` there.
    double MiddenY(int ronde, int nummer) const;
    double DoosBoven(int ronde, int nummer, double hoogte) const {
        return MiddenY(ronde, nummer) - Half(hoogte);
    }
    // Where the lines from round `ronde` turn towards the next round,
    // midway between the columns; of the round before the first shown, the
    // same distance before its boxes.
    double Knik(int ronde) const;
    // The left edge of a caption `breedte` wide, centred over a round's box.
    double KopLinks(int ronde, double breedte) const { return MiddenX(ronde) - Half(breedte); }
    // The width from the first box's left edge to the last box's right edge.
    double TotaleBreedte() const;

    // The widths, each cut to at most one common cap, so that the columns
    // and the room between them take `beschikbaar`. The cap stays at least
    // `minimum`, so the result may stay wider than asked; the narrow
    // columns keep their own width.
    static std::vector<double> PasIn(std::vector<double> breedtes, double tussen,
                                     double beschikbaar, double minimum);

private:
    double Half(double maat) const;

    int m_eersteRonde = 0;
    std::vector<TKolom> m_kolommen;
    std::vector<double> m_x;
    double m_tussen = 0;
    double m_boven = 0;
    double m_hoogte = 0;
    bool m_helePixels = false;
};
