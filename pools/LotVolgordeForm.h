#pragma once

#include <QDialog>
#include <QStringList>

#include <optional>
#include <vector>

class QPushButton;
class TVolgordeLijst;

// "Volgorde bij gelijke stand": the organiser puts the players that the
// rules left level in order by hand, best first.
class TLotVolgordeForm : public QDialog {
    Q_OBJECT

public:
    explicit TLotVolgordeForm(QWidget* owner);

    // The players (running list indices) with their names; their order, or
    // nothing when cancelled.
    std::optional<std::vector<int>> Kies(const std::vector<int>& spelers, const QStringList& namen);

    TVolgordeLijst* VolgordeLijst;
    QPushButton* OKBitBtn;
    QPushButton* AnnulerenBitBtn;
};
