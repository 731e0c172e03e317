#include "print/AfdrukKeuze.h"

void TAfdrukKeuze::VoegToe(const QString& naam, std::unique_ptr<Afdruk::TDocument> document) {
    m_keuzes.push_back({naam, std::move(document)});
    if (m_keuzes.size() == 1)
        Kies(0);
}

void TAfdrukKeuze::Kies(int keuze) {
    if (keuze < 0 || keuze >= Aantal())
        return;
    m_gekozen = keuze;
    Kop = Huidig()->Kop;
}

Afdruk::TDocument* TAfdrukKeuze::Huidig() const {
    return m_keuzes.empty() ? nullptr : m_keuzes[std::size_t(m_gekozen)].document.get();
}

int TAfdrukKeuze::Opmaken(QSizeF romp) {
    return Huidig() ? Huidig()->Opmaken(romp) : 1;
}

void TAfdrukKeuze::TekenPagina(QPainter& painter, int index) const {
    if (Huidig())
        Huidig()->TekenPagina(painter, index);
}

QPageLayout::Orientation TAfdrukKeuze::Richting() const {
    return Huidig() ? Huidig()->Richting() : QPageLayout::Portrait;
}
