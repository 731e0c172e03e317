#pragma once

#include <QAbstractTableModel>

class TToernooiDocument;

// The document's names as the participant grid shows them: first and last
// name, then club and seed, one row per participant and always one empty row after them, on
// which Enter adds a participant. It holds no names of its own.
class TDeelnemersModel : public QAbstractTableModel {
    Q_OBJECT

public:
    TDeelnemersModel(const TToernooiDocument& document, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const TToernooiDocument& m_document;
};
