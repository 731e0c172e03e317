#include "participants/DeelnemersModel.h"

#include "model/ToernooiDocument.h"

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
    return parent.isValid() ? 0 : 2;
}

QVariant TDeelnemersModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    const auto& namen = m_document.Namen();
    const auto rij = static_cast<std::size_t>(index.row());
    if (rij >= namen.size())
        return QString();
    return index.column() == 0 ? namen[rij].Voornaam : namen[rij].Achternaam;
}

QVariant TDeelnemersModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return section == 0 ? QStringLiteral("Voornaam") : QStringLiteral("Achternaam");
}
