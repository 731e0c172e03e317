#pragma once

#include "model/Poulewedstrijden.h"

#include <QDialog>

#include <optional>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;

// The score of one pool match ("Uitslag invoeren"): the games on one line
// ("21-17 19-21 21-15") or in a field per game, whichever the organiser
// types in; both show the same score. Games the scoring system refuses are
// named in a message and the dialog stays open.
class TPouleUitslagForm : public QDialog {
    Q_OBJECT

public:
    explicit TPouleUitslagForm(QWidget* owner);

    // Shows the dialog modally for the match between `naamA` and `naamB`;
    // the games (none: clear the score), or nothing when cancelled.
    std::optional<Poulewedstrijden::TGames> Invoeren(const QString& naamA, const QString& naamB,
                                                     int ronde,
                                                     Poulewedstrijden::TSpelvorm spelvorm,
                                                     const Poulewedstrijden::TGames& huidig);

    QLabel* WedstrijdLabel;
    QLineEdit* UitslagEdit;
    // Two fields per game: the first-named player's points, then the other's.
    std::vector<QLineEdit*> GameEdits;
    QPushButton* OKBitBtn;
    QPushButton* AnnulerenBitBtn;
    QPushButton* WisBitBtn;

private:
    void MaakGames(Poulewedstrijden::TSpelvorm spelvorm, const QString& naamA,
                   const QString& naamB);
    void RegelGewijzigd();
    void GameGewijzigd();
    void OKBitBtnClick();
    void WisBitBtnClick();

    QWidget* m_games = nullptr;
    Poulewedstrijden::TSpelvorm m_spelvorm = Poulewedstrijden::TSpelvorm::Badminton;
    std::optional<Poulewedstrijden::TGames> m_uitslag;
};
