#pragma once

#include "print/Afdruk.h"

#include <QString>

#include <memory>
#include <vector>

// One of several printouts of the same thing, chosen in the print preview:
// the document lays out and draws whichever is chosen, and carries its
// heading.
class TAfdrukKeuze : public Afdruk::TDocument {
public:
    // The first choice is the one shown first.
    void VoegToe(const QString& naam, std::unique_ptr<Afdruk::TDocument> document);

    int Aantal() const { return static_cast<int>(m_keuzes.size()); }
    QString Naam(int keuze) const { return m_keuzes[std::size_t(keuze)].naam; }
    int Gekozen() const { return m_gekozen; }
    void Kies(int keuze);

    int Opmaken(QSizeF romp) override;
    void TekenPagina(QPainter& painter, int index) const override;
    QPageLayout::Orientation Richting() const override;

private:
    struct TKeuze {
        QString naam;
        std::unique_ptr<Afdruk::TDocument> document;
    };
    Afdruk::TDocument* Huidig() const;

    std::vector<TKeuze> m_keuzes;
    int m_gekozen = 0;
};
