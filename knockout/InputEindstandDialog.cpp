#include "knockout/InputEindstandDialog.h"

#include "ui/Help.h"
#include "ui/Icons.h"
#include "ui/Scherm.h"
#include "model/Deelnemer.h"
#include "model/Eindstand.h"
#include "model/KnockoutWedstrijd.h"
#include "model/MessageService.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

#include <utility>

namespace {

constexpr int Binnenrand = 8;
constexpr int MaxScoreLengte = 5;

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
    setFixedSize(253 + 2 * Binnenrand, 104 + 2 * Binnenrand);
    MaakNamen();
    MaakScores();
    MaakKnoppen();
    groeiMetLettertype(this);
    setTabOrder(DeelnemerBovenEdit, DeelnemerOnderEdit);
    setTabOrder(DeelnemerOnderEdit, OKBitBtn);
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
    const bool gespeeld = wedstrijd.ScoreBoven() >= 0;
    DeelnemerBovenEdit->setText(gespeeld ? QString::number(wedstrijd.ScoreBoven()) : QString());
    DeelnemerOnderEdit->setText(gespeeld ? QString::number(wedstrijd.ScoreOnder()) : QString());
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

void TInputEindstandDialog::OKBitBtnClick() {
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
        Sluit({controle.Boven, controle.Onder});
        return;
    }
}
