#include "pools/PouleUitslagForm.h"

#include "model/MessageService.h"
#include "ui/Help.h"
#include "ui/Icons.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

using namespace Poulewedstrijden;

namespace {

int AantalGames(TSpelvorm spelvorm) {
    switch (spelvorm) {
    case TSpelvorm::Badminton:
        return 3;
    case TSpelvorm::Tafeltennis:
        return 5;
    case TSpelvorm::Score:
        return 1;
    }
    return 1;
}

} // namespace

TPouleUitslagForm::TPouleUitslagForm(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , WedstrijdLabel(new QLabel(this))
    , UitslagEdit(new QLineEdit(this))
    , OKBitBtn(new QPushButton(okIcoon(), QStringLiteral("&OK"), this))
    , AnnulerenBitBtn(new QPushButton(annulerenIcoon(), QStringLiteral("&Annuleren"), this))
    , WisBitBtn(new QPushButton(QStringLiteral("&Wis uitslag"), this))
    , AfloopComboBox(new QComboBox(this))
    , VerliezerComboBox(new QComboBox(this)) {
    setWindowTitle(QStringLiteral("Uitslag invoeren"));
    setHelpContext(this, HelpContext::Poules);
    WedstrijdLabel->setObjectName(QStringLiteral("WedstrijdLabel"));
    UitslagEdit->setObjectName(QStringLiteral("UitslagEdit"));
    UitslagEdit->setAccessibleName(QStringLiteral("Uitslag in games"));
    UitslagEdit->setPlaceholderText(QStringLiteral("21-17 19-21 21-15"));
    OKBitBtn->setObjectName(QStringLiteral("OKBitBtn"));
    AnnulerenBitBtn->setObjectName(QStringLiteral("AnnulerenBitBtn"));
    WisBitBtn->setObjectName(QStringLiteral("WisBitBtn"));
    // Enter anywhere confirms, as the knockout's score dialog does.
    OKBitBtn->setDefault(true);
    AnnulerenBitBtn->setAutoDefault(false);
    WisBitBtn->setAutoDefault(false);

    auto* regel = new QHBoxLayout;
    auto* regelLabel = new QLabel(QStringLiteral("&Uitslag"), this);
    regelLabel->setBuddy(UitslagEdit);
    regel->addWidget(regelLabel);
    regel->addWidget(UitslagEdit, 1);
    // How the match ended, under the score: typing "w" picks the w.o., "o"
    // a retirement, "d" a disqualification.
    AfloopComboBox->setObjectName(QStringLiteral("AfloopComboBox"));
    AfloopComboBox->setAccessibleName(QStringLiteral("Afloop van de wedstrijd"));
    for (TAfloop afloop :
         {TAfloop::Gespeeld, TAfloop::Walkover, TAfloop::Opgegeven, TAfloop::Diskwalificatie})
        AfloopComboBox->addItem(AfloopNaam(afloop), static_cast<int>(afloop));
    VerliezerComboBox->setObjectName(QStringLiteral("VerliezerComboBox"));
    VerliezerComboBox->setAccessibleName(QStringLiteral("Verliezer"));
    auto* afloopRegel = new QHBoxLayout;
    auto* afloopLabel = new QLabel(QStringLiteral("A&floop"), this);
    afloopLabel->setBuddy(AfloopComboBox);
    auto* verliezerLabel = new QLabel(QStringLiteral("&Verloren door"), this);
    verliezerLabel->setBuddy(VerliezerComboBox);
    afloopRegel->addWidget(afloopLabel);
    afloopRegel->addWidget(AfloopComboBox);
    afloopRegel->addSpacing(8);
    afloopRegel->addWidget(verliezerLabel);
    afloopRegel->addWidget(VerliezerComboBox, 1);
    auto* knoppen = new QHBoxLayout;
    knoppen->addWidget(WisBitBtn);
    knoppen->addStretch();
    knoppen->addWidget(OKBitBtn);
    knoppen->addWidget(AnnulerenBitBtn);
    auto* indeling = new QVBoxLayout(this);
    indeling->addWidget(WedstrijdLabel);
    indeling->addLayout(regel);
    indeling->addLayout(afloopRegel);
    indeling->addLayout(knoppen);
    indeling->setSizeConstraint(QLayout::SetFixedSize);

    connect(UitslagEdit, &QLineEdit::textEdited, this, &TPouleUitslagForm::RegelGewijzigd);
    connect(OKBitBtn, &QPushButton::clicked, this, &TPouleUitslagForm::OKBitBtnClick);
    connect(AnnulerenBitBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(WisBitBtn, &QPushButton::clicked, this, &TPouleUitslagForm::WisBitBtnClick);
    connect(AfloopComboBox, &QComboBox::currentIndexChanged, this,
            &TPouleUitslagForm::AfloopGewijzigd);
}

TAfloop TPouleUitslagForm::Afloop() const {
    return static_cast<TAfloop>(AfloopComboBox->currentData().toInt());
}

void TPouleUitslagForm::AfloopGewijzigd() {
    const TAfloop afloop = Afloop();
    VerliezerComboBox->setEnabled(afloop != TAfloop::Gespeeld);
    // Nobody played at a w.o.; a match broken off keeps its score so far.
    const bool score = afloop != TAfloop::Walkover;
    UitslagEdit->setEnabled(score);
    if (m_games)
        m_games->setEnabled(score);
}

void TPouleUitslagForm::MaakGames(TSpelvorm spelvorm, const QString& naamA, const QString& naamB) {
    delete m_games;
    GameEdits.clear();
    m_games = new QWidget(this);
    auto* rooster = new QGridLayout(m_games);
    rooster->setContentsMargins(0, 0, 0, 0);
    const int aantal = AantalGames(spelvorm);
    // The side of each column, over the fields.
    rooster->addWidget(new QLabel(naamA, m_games), 0, 1, Qt::AlignHCenter);
    rooster->addWidget(new QLabel(naamB, m_games), 0, 3, Qt::AlignHCenter);
    static const QRegularExpression punten(QStringLiteral("\\d{0,3}"));
    QWidget* vorige = UitslagEdit;
    for (int game = 1; game <= aantal; ++game) {
        const QString naam = spelvorm == TSpelvorm::Score ? QStringLiteral("Score")
                                                          : QStringLiteral("Game %1").arg(game);
        rooster->addWidget(new QLabel(naam, m_games), game, 0);
        for (int kant = 0; kant < 2; ++kant) {
            auto* veld = new QLineEdit(m_games);
            veld->setObjectName(QStringLiteral("Game%1%2Edit").arg(game).arg(kant ? 'B' : 'A'));
            veld->setAccessibleName(naam + QStringLiteral(", ") + (kant ? naamB : naamA));
            veld->setValidator(new QRegularExpressionValidator(punten, veld));
            veld->setMaxLength(3);
            veld->setFixedWidth(veld->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
            veld->setAlignment(Qt::AlignRight);
            rooster->addWidget(veld, game, kant ? 3 : 1);
            connect(veld, &QLineEdit::textEdited, this, &TPouleUitslagForm::GameGewijzigd);
            setTabOrder(vorige, veld);
            vorige = veld;
            GameEdits.push_back(veld);
        }
        rooster->addWidget(new QLabel(QStringLiteral("-"), m_games), game, 2, Qt::AlignHCenter);
    }
    setTabOrder(UitslagEdit, AfloopComboBox);
    setTabOrder(AfloopComboBox, VerliezerComboBox);
    setTabOrder(VerliezerComboBox,
                GameEdits.empty() ? static_cast<QWidget*>(OKBitBtn) : GameEdits.front());
    setTabOrder(vorige, OKBitBtn);
    setTabOrder(OKBitBtn, AnnulerenBitBtn);
    setTabOrder(AnnulerenBitBtn, WisBitBtn);
    static_cast<QVBoxLayout*>(layout())->insertWidget(2, m_games);
}

std::optional<TPouleUitslagForm::TUitslag>
TPouleUitslagForm::Invoeren(const QString& naamA, const QString& naamB, int ronde,
                            TSpelvorm spelvorm, const TUitslag& huidig) {
    m_spelvorm = spelvorm;
    m_uitslag.reset();
    WedstrijdLabel->setText(QStringLiteral("Ronde %1: %2 - %3").arg(ronde).arg(naamA, naamB));
    MaakGames(spelvorm, naamA, naamB);
    VerliezerComboBox->clear();
    VerliezerComboBox->addItems({naamA, naamB});
    VerliezerComboBox->setCurrentIndex(huidig.Verliezer == 1 ? 1 : 0);
    AfloopComboBox->setCurrentIndex(AfloopComboBox->findData(static_cast<int>(huidig.Afloop)));
    AfloopGewijzigd();
    UitslagEdit->setText(GamesTekst(huidig.Games));
    RegelGewijzigd();
    WisBitBtn->setEnabled(!huidig.Games.empty() || huidig.Afloop != TAfloop::Gespeeld);
    // A score typed over the old one replaces it.
    UitslagEdit->selectAll();
    UitslagEdit->setFocus();
    exec();
    return m_uitslag;
}

void TPouleUitslagForm::RegelGewijzigd() {
    // The line is read as far as it goes; the fields follow what it says.
    const std::optional<TGames> games = LeesGames(UitslagEdit->text());
    if (!games)
        return;
    for (std::size_t i = 0; i < GameEdits.size(); ++i) {
        const std::size_t game = i / 2;
        QString tekst;
        if (game < games->size())
            tekst = QString::number(i % 2 ? (*games)[game].B : (*games)[game].A);
        GameEdits[i]->setText(tekst);
    }
}

void TPouleUitslagForm::GameGewijzigd() {
    // The line shows the games filled in, up to the first that is not.
    TGames games;
    for (std::size_t i = 0; i + 1 < GameEdits.size(); i += 2) {
        const QString a = GameEdits[i]->text();
        const QString b = GameEdits[i + 1]->text();
        if (a.isEmpty() || b.isEmpty())
            break;
        games.push_back({a.toInt(), b.toInt()});
    }
    UitslagEdit->setText(GamesTekst(games));
}

void TPouleUitslagForm::OKBitBtnClick() {
    const TAfloop afloop = Afloop();
    if (afloop == TAfloop::Walkover) {
        m_uitslag = TUitslag{afloop, VerliezerComboBox->currentIndex(), {}};
        accept();
        return;
    }
    QString melding;
    const std::optional<TGames> games = LeesGames(UitslagEdit->text(), &melding);
    if (!games) {
        messages().information(melding);
        UitslagEdit->setFocus();
        return;
    }
    // An emptied line clears the score, as an emptied position does; a
    // match broken off may have no score yet.
    const std::optional<QString> fout = afloop != TAfloop::Gespeeld
                                            ? ControleerOnderbroken(m_spelvorm, *games)
                                        : games->empty() ? std::nullopt
                                                         : ControleerUitslag(m_spelvorm, *games);
    if (fout) {
        messages().information(*fout);
        UitslagEdit->setFocus();
        return;
    }
    m_uitslag = TUitslag{
        afloop, afloop == TAfloop::Gespeeld ? -1 : VerliezerComboBox->currentIndex(), *games};
    accept();
}

void TPouleUitslagForm::WisBitBtnClick() {
    m_uitslag = TUitslag();
    accept();
}
