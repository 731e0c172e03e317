#include "print/SchemaGeometrie.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <utility>

TSchemaGeometrie::TSchemaGeometrie(int eersteRonde, std::vector<TKolom> kolommen, double links,
                                   double tussen, double boven, double hoogte, bool helePixels)
    : m_eersteRonde(eersteRonde)
    , m_kolommen(std::move(kolommen))
    , m_tussen(tussen)
    , m_boven(boven)
    , m_hoogte(hoogte)
    , m_helePixels(helePixels) {
    m_x.reserve(m_kolommen.size());
    double x = links;
    for (const TKolom& kolom : m_kolommen) {
        m_x.push_back(x);
        x += kolom.breedte + tussen;
    }
}

double TSchemaGeometrie::Half(double maat) const {
    return m_helePixels ? std::trunc(maat / 2) : maat / 2;
}

const TSchemaGeometrie::TKolom& TSchemaGeometrie::Kolom(int ronde) const {
    return m_kolommen[static_cast<std::size_t>(ronde - m_eersteRonde)];
}

double TSchemaGeometrie::X(int ronde) const {
    return m_x[static_cast<std::size_t>(ronde - m_eersteRonde)];
}

double TSchemaGeometrie::MiddenY(int ronde, int nummer) const {
    const TKolom& kolom = Kolom(ronde);
    const double plaats = nummer - kolom.eerste + 0.5;
    const double y = plaats / kolom.aantal * m_hoogte;
    return m_boven + (m_helePixels ? std::trunc(y) : y);
}

double TSchemaGeometrie::Knik(int ronde) const {
    if (ronde < m_eersteRonde)
        return X(m_eersteRonde) - Half(m_tussen);
    return X(ronde) + Breedte(ronde) + Half(m_tussen);
}

double TSchemaGeometrie::TotaleBreedte() const {
    if (m_kolommen.empty())
        return 0;
    return X(LaatsteRonde()) + Breedte(LaatsteRonde()) - m_x.front();
}

std::vector<double> TSchemaGeometrie::PasIn(std::vector<double> breedtes, double tussen,
                                            double beschikbaar, double minimum) {
    if (breedtes.empty())
        return breedtes;
    const double ruimte = beschikbaar - tussen * static_cast<double>(breedtes.size() - 1);
    if (std::accumulate(breedtes.begin(), breedtes.end(), 0.0) <= ruimte)
        return breedtes;
    // The narrowest columns keep their width as long as the cap that the
    // rest then shares is wider than they are.
    std::vector<double> oplopend = breedtes;
    std::sort(oplopend.begin(), oplopend.end());
    double smal = 0;
    double kap = minimum;
    for (std::size_t k = 0; k < oplopend.size(); ++k) {
        const double gedeeld = (ruimte - smal) / static_cast<double>(oplopend.size() - k);
        if (gedeeld <= oplopend[k]) {
            kap = gedeeld;
            break;
        }
        smal += oplopend[k];
    }
    kap = std::max(kap, minimum);
    for (double& breedte : breedtes)
        breedte = std::min(breedte, kap);
    return breedtes;
}
