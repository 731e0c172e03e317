#pragma once

#include "model/Deelnemer.h"

#include <QWidget>

// The knockout window: one tab per bracket.
class TKnockoutForm : public QWidget {
    Q_OBJECT

public:
    explicit TKnockoutForm(QWidget* owner);

    // Builds both brackets: 0 = random draw, 1 = seeded from the pools,
    // 2 = empty (for loading); then shows the window.
    void Bouw(TDeelnemerLijst& deelnemers, int indeling);

    QString KnockoutSjabloon() const { return m_knockoutSjabloon; }
    int BeginRij() const { return m_beginRij; }
    int BeginKolom() const { return m_beginKolom; }
    void ZetExportwaarden(const QString& knockoutSjabloon, int beginRij, int beginKolom);

private:
    QString m_knockoutSjabloon;
    int m_beginRij = 5;
    int m_beginKolom = 1;
};
