#include "knockout/InputEindstandDialog.h"

#include "ui/Help.h"
#include "ui/Icons.h"
#include "ui/Scherm.h"
#include "model/Deelnemer.h"
#include "model/Eindstand.h"
#include "model/KnockoutWedstrijd.h"
#include "model/MessageService.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

#include <tuple>
#include <utility>

namespace {

constexpr int Binnenrand = 8;
constexpr int MaxScoreLengte = 5;
// The choice of how the match ended stands right of the designed part.
constexpr int AfloopLinks = 253 + 12;
constexpr int AfloopBreedte = 140;

QLabel* NaamLabel(QWidget* ouder, QRect plaats, Qt::Alignment kant) {
    auto* label = new QLabel(ouder);
    label->setGeometry(plaats.translated(Binnenrand, Binnenrand));
    label->setAlignment(kant | Qt::AlignBottom);
    label->setWordWrap(true);
    return label;
}

QLineEdit* ScoreEdit(QWidget* ouder, QRect plaats, const QString& naam) {
    auto* edit = new QLineEdit(ouder);
    edit->setGeometry(plaats.translated(Binnenrand, Binnenrand));
    edit->setMaxLength(MaxScoreLengte);
    edit->setObjectName(naam);
    return edit;
}

QString NaamVan(const TDeelnemer* deelnemer) {
    return deelnemer ? deelnemer->Naam() : QString();
}

} // namespace

TInputEindstandDialog::TInputEindstandDialog(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setWindowTitle(QStringLiteral("Eindstand"));
    setHelpContext(this, HelpContext::Knockout);
    setFixedSize(AfloopLinks + AfloopBreedte + 2 * Binnenrand, 104 + 2 * Binnenrand);
    MaakNamen();
    MaakScores();
    MaakKnoppen();
    MaakAfloop();
    groeiMetLettertype(this);
    setTabOrder(DeelnemerBovenEdit, DeelnemerOnderEdit);
    setTabOrder(DeelnemerOnderEdit, AfloopComboBox);
    setTabOrder(AfloopComboBox, VerliezerComboBox);
    setTabOrder(VerliezerComboBox, OKBitBtn);
    setTabOrder(OKBitBtn, AnnulerenBitBtn);
}

void TInputEindstandDialog::MaakNamen() {
    DeelnemerBovenLabel = NaamLabel(this, {0, 0, 113, 26}, Qt::AlignRight);
    DeelnemerOnderLabel = NaamLabel(this, {136, 0, 113, 26}, Qt::AlignLeft);
    StreepjeLabel = new QLabel(QStringLiteral("-"), this);
    StreepjeLabel->setGeometry(112 + Binnenrand, 28 + Binnenrand, 25, 21);
    StreepjeLabel->setAlignment(Qt::AlignCenter);
    QFont font = StreepjeLabel->font();
    font.setPixelSize(21);
    StreepjeLabel->setFont(font);
}

void TInputEindstandDialog::MaakScores() {
    DeelnemerBovenEdit = ScoreEdit(this, {72, 32, 41, 21}, QStringLiteral("DeelnemerBovenEdit"));
    DeelnemerOnderEdit = ScoreEdit(this, {136, 32, 41, 21}, QStringLiteral("DeelnemerOnderEdit"));
    DeelnemerBovenEdit->installEventFilter(this);
    DeelnemerOnderEdit->installEventFilter(this);
}

void TInputEindstandDialog::MaakKnoppen() {
    OKBitBtn = new QPushButton(okIcoon(), QStringLiteral("&OK"), this);
    OKBitBtn->setGeometry(32 + Binnenrand, 72 + Binnenrand, 89, 25);
    OKBitBtn->setDefault(true);
    OKBitBtn->setObjectName(QStringLiteral("OKBitBtn"));
    AnnulerenBitBtn = new QPushButton(annulerenIcoon(), QStringLiteral("&Annuleren"), this);
    AnnulerenBitBtn->setGeometry(128 + Binnenrand, 72 + Binnenrand, 89, 25);
    AnnulerenBitBtn->setAutoDefault(false);
    AnnulerenBitBtn->setObjectName(QStringLiteral("AnnulerenBitBtn"));
    connect(OKBitBtn, &QPushButton::clicked, this, &TInputEindstandDialog::OKBitBtnClick);
    connect(AnnulerenBitBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TInputEindstandDialog::MaakAfloop() {
    auto plaats = [](QWidget* widget, int boven, int hoogte) {
        widget->setGeometry(AfloopLinks + Binnenrand, boven + Binnenrand, AfloopBreedte, hoogte);
    };
    AfloopLabel = new QLabel(QStringLiteral("A&floop:"), this);
    plaats(AfloopLabel, 0, 16);
    AfloopComboBox = new QComboBox(this);
    AfloopComboBox->setObjectName(QStringLiteral("AfloopComboBox"));
    for (TAfloop afloop :
         {TAfloop::Gespeeld, TAfloop::Walkover, TAfloop::Opgegeven, TAfloop::Diskwalificatie})
        AfloopComboBox->addItem(AfloopNaam(afloop));
    plaats(AfloopComboBox, 16, 21);
    AfloopLabel->setBuddy(AfloopComboBox);
    VerliezerLabel = new QLabel(QStringLiteral("Ver&loren door:"), this);
    plaats(VerliezerLabel, 44, 16);
    VerliezerComboBox = new QComboBox(this);
    VerliezerComboBox->setObjectName(QStringLiteral("VerliezerComboBox"));
    VerliezerComboBox->setPlaceholderText(QStringLiteral("kies wie verloor"));
    plaats(VerliezerComboBox, 60, 21);
    VerliezerLabel->setBuddy(VerliezerComboBox);
    connect(AfloopComboBox, &QComboBox::currentIndexChanged, this,
            &TInputEindstandDialog::AfloopGekozen);
}

void TInputEindstandDialog::AfloopGekozen() {
    // A walkover and a disqualification have no score; a retirement keeps
    // the score at that moment, if the organiser has it.
    const auto afloop = static_cast<TAfloop>(AfloopComboBox->currentIndex());
    const bool score = afloop == TAfloop::Gespeeld || afloop == TAfloop::Opgegeven;
    DeelnemerBovenEdit->setEnabled(score);
    DeelnemerOnderEdit->setEnabled(score);
    VerliezerLabel->setEnabled(afloop != TAfloop::Gespeeld);
    VerliezerComboBox->setEnabled(afloop != TAfloop::Gespeeld);
}

bool TInputEindstandDialog::eventFilter(QObject* watched, QEvent* event) {
    // A score such as 3-1 is typed in one go: "-" jumps to the other field.
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->text() == QStringLiteral("-")) {
        // The other field's text is selected, as on opening, so typing
        // replaces an old score instead of adding to it.
        QLineEdit* ander = watched == DeelnemerBovenEdit ? DeelnemerOnderEdit : DeelnemerBovenEdit;
        ander->setFocus();
        ander->selectAll();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

std::optional<TInputEindstandDialog::TEindstand>
TInputEindstandDialog::ToonVoorWedstrijd(const TKnockoutWedstrijd& wedstrijd) {
    m_eindstand.reset();
    DeelnemerBovenLabel->setText(NaamVan(wedstrijd.DeelnemerBoven()));
    DeelnemerOnderLabel->setText(NaamVan(wedstrijd.DeelnemerOnder()));
    // The names stand above the fields, not in front of them: a screen reader
    // hears whose score each field holds.
    DeelnemerBovenEdit->setAccessibleName(QStringLiteral("Score van ") +
                                          DeelnemerBovenLabel->text());
    DeelnemerOnderEdit->setAccessibleName(QStringLiteral("Score van ") +
                                          DeelnemerOnderLabel->text());
    const TKnockoutAfloop& afloop = wedstrijd.Afloop();
    // A match not played out shows its score at retirement, if any, and
    // never the 1-0 kept for older readers.
    const bool gespeeld =
        afloop.Soort == TAfloop::Gespeeld ? wedstrijd.ScoreBoven() >= 0 : afloop.StandBoven >= 0;
    const int boven =
        afloop.Soort == TAfloop::Gespeeld ? wedstrijd.ScoreBoven() : afloop.StandBoven;
    const int onder =
        afloop.Soort == TAfloop::Gespeeld ? wedstrijd.ScoreOnder() : afloop.StandOnder;
    DeelnemerBovenEdit->setText(gespeeld ? QString::number(boven) : QString());
    DeelnemerOnderEdit->setText(gespeeld ? QString::number(onder) : QString());
    VerliezerComboBox->clear();
    VerliezerComboBox->addItems({DeelnemerBovenLabel->text(), DeelnemerOnderLabel->text()});
    VerliezerComboBox->setCurrentIndex(afloop.Verliezer);
    AfloopComboBox->setCurrentIndex(static_cast<int>(afloop.Soort));
    AfloopGekozen();
    DeelnemerBovenEdit->setFocus();
    DeelnemerBovenEdit->selectAll();
    centreerOpScherm(this);
    exec();
    return std::exchange(m_eindstand, std::nullopt);
}

void TInputEindstandDialog::Sluit(TEindstand eindstand) {
    m_eindstand = eindstand;
    accept();
}

void TInputEindstandDialog::SluitNietGespeeld() {
    TEindstand eindstand;
    eindstand.Afloop.Soort = static_cast<TAfloop>(AfloopComboBox->currentIndex());
    eindstand.Afloop.Verliezer = VerliezerComboBox->currentIndex();
    if (eindstand.Afloop.Verliezer < 0) {
        VerliezerComboBox->setFocus();
        messages().information(QStringLiteral("Kies wie de wedstrijd verloor."));
        return;
    }
    if (eindstand.Afloop.Soort == TAfloop::Opgegeven) {
        // The score at that moment may be left out, but not half of it; a
        // draw is possible here.
        const QString boven = DeelnemerBovenEdit->text().trimmed();
        const QString onder = DeelnemerOnderEdit->text().trimmed();
        if (!boven.isEmpty() || !onder.isEmpty()) {
            for (auto [tekst, veld, stand] :
                 {std::tuple{boven, DeelnemerBovenEdit, &eindstand.Afloop.StandBoven},
                  std::tuple{onder, DeelnemerOnderEdit, &eindstand.Afloop.StandOnder}}) {
                bool getal = false;
                *stand = tekst.toInt(&getal);
                if (!getal || *stand < 0) {
                    veld->setFocus();
                    veld->selectAll();
                    messages().information(
                        QStringLiteral("Voer de stand bij het opgeven in, of laat beide velden "
                                       "leeg."));
                    return;
                }
            }
        }
    }
    Sluit(eindstand);
}

void TInputEindstandDialog::OKBitBtnClick() {
    if (AfloopComboBox->currentIndex() > 0) {
        SluitNietGespeeld();
        return;
    }
    using Actie = Eindstand::TControle::Actie;
    const Eindstand::TControle controle =
        Eindstand::Controleer(DeelnemerBovenEdit->text(), DeelnemerOnderEdit->text());
    switch (controle.Soort) {
    case Actie::Wissen:
        Sluit({});
        return;
    case Actie::VraagWissen:
        if (messages().informationYesNo(controle.Tekst) == Answer::Yes)
            Sluit({});
        return;
    case Actie::Melding: {
        QLineEdit* veld =
            controle.Veld == Eindstand::TVeld::Boven ? DeelnemerBovenEdit : DeelnemerOnderEdit;
        veld->setFocus();
        if (controle.SelecteerVeld)
            veld->selectAll();
        messages().information(controle.Tekst);
        return;
    }
    case Actie::ZetEindstand:
        Sluit({controle.Boven, controle.Onder, {}});
        return;
    }
}
