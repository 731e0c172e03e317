#include "participants/DeelnemersModel.h"

#include "model/ToernooiDocument.h"

#include <algorithm>
#include <array>

TDeelnemersModel::TDeelnemersModel(const TToernooiDocument& document, QObject* parent)
    : QAbstractTableModel(parent)
    , m_document(document) {
    connect(&document, &TToernooiDocument::NamenVeranderd, this, [this] {
        beginResetModel();
        endResetModel();
    });
}

int TDeelnemersModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_document.Namen().size()) + 1;
}

int TDeelnemersModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 4;
}

QVariant TDeelnemersModel::data(const QModelIndex& index, int role) const {
    // Seeds line up as numbers do.
    if (role == Qt::TextAlignmentRole && index.column() == 3)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    const auto& namen = m_document.Namen();
    const auto rij = static_cast<std::size_t>(index.row());
    if (rij >= namen.size())
        return QString();
    switch (index.column()) {
    case 0:
        return namen[rij].Voornaam;
    case 1:
        return namen[rij].Achternaam;
    case 2:
        return namen[rij].Vereniging;
    default:
        return namen[rij].Plaatsing > 0 ? QString::number(namen[rij].Plaatsing) : QString();
    }
}

QVariant TDeelnemersModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const std::array<QString, 4> koppen{
        QStringLiteral("Voornaam"), QStringLiteral("Achternaam"), QStringLiteral("Vereniging"),
        QStringLiteral("Plaatsing")};
    return koppen[static_cast<std::size_t>(std::clamp(section, 0, 3))];
}
