#pragma once

#include "model/Deelnemer.h"

#include <QWidget>

// The pools window: one tab per pool, where final positions are entered.
class TPoulesForm : public QWidget {
    Q_OBJECT

public:
    explicit TPoulesForm(QWidget* owner);

    void ToonPoules(TDeelnemerLijst& deelnemers);

    QString PouleSjabloon; // template of the pool export
};
