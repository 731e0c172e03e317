#pragma once

#include "model/Poulewedstrijden.h"

#include <QDialog>

#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The score of one pool match ("Uitslag invoeren"): the games on one line
// ("21-17 19-21 21-15") or in a field per game, whichever the organiser
// types in; both show the same score. Games the scoring system refuses are
// named in a message and the dialog stays open. Beside the score, how the
// match ended: played out, or a w.o., a retirement (with the score at that
// moment) or a disqualification, and who lost it.
class TPouleUitslagForm : public QDialog {
    Q_OBJECT

public:
    explicit TPouleUitslagForm(QWidget* owner);

    struct TUitslag {
        TAfloop Afloop = TAfloop::Gespeeld;
        int Verliezer = -1; // 0 = the first-named player, 1 = the other
        Poulewedstrijden::TGames Games;
        bool operator==(const TUitslag&) const = default;
    };

    // Shows the dialog modally for the match between `naamA` and `naamB`;
    // the result (played without games: clear the score), or nothing when
    // cancelled.
    std::optional<TUitslag> Invoeren(const QString& naamA, const QString& naamB, int ronde,
                                     Poulewedstrijden::TSpelvorm spelvorm, const TUitslag& huidig);

    QLabel* WedstrijdLabel;
    QLineEdit* UitslagEdit;
    // Two fields per game: the first-named player's points, then the other's.
    std::vector<QLineEdit*> GameEdits;
    QPushButton* OKBitBtn;
    QPushButton* AnnulerenBitBtn;
    QPushButton* WisBitBtn;
    QComboBox* AfloopComboBox;
    QComboBox* VerliezerComboBox;

private:
    void MaakGames(Poulewedstrijden::TSpelvorm spelvorm, const QString& naamA,
                   const QString& naamB);
    void RegelGewijzigd();
    void GameGewijzigd();
    void OKBitBtnClick();
    void WisBitBtnClick();
    void AfloopGewijzigd();
    TAfloop Afloop() const;

    QWidget* m_games = nullptr;
    Poulewedstrijden::TSpelvorm m_spelvorm = Poulewedstrijden::TSpelvorm::Badminton;
    std::optional<TUitslag> m_uitslag;
};
