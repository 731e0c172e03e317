#include "knockout/KnockoutIndelingForm.h"

#include "ui/Help.h"
#include "ui/Icons.h"
#include "ui/Scherm.h"
#include "model/KnockoutIndeling.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

#include <algorithm>

namespace {

constexpr int ClientBreedte = 473;
constexpr int ClientHoogte = 148;
constexpr int Rand = 16;

void VulGetallen(QComboBox* keuze, int van, int tot, int selectie) {
    const QSignalBlocker stil(keuze);
    keuze->clear();
    for (int getal = van; getal <= tot; ++getal)
        keuze->addItem(QString::number(getal));
    keuze->setCurrentIndex(selectie);
}

} // namespace

TKnockoutIndelingForm::TKnockoutIndelingForm(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setWindowTitle(QStringLiteral("Knockout-indeling"));
    setHelpContext(this, HelpContext::KnockoutIndeling);
    setFixedSize(ClientBreedte, ClientHoogte);
    MaakLabels();
    MaakKeuzes();
    MaakKnoppen();
    SchikRegels();
    groeiMetLettertype(this);
    RadioBeste->setChecked(true);
    // The sentences are labels around the controls; a screen reader hears
    // what each choice means.
    RadioBeste->setAccessibleName(QStringLiteral("De beste naar de winnaarsronde"));
    RadioSlechtste->setAccessibleName(QStringLiteral("De slechtste naar de verliezersronde"));
    BesteComboBox->setAccessibleName(
        QStringLiteral("Aantal beste deelnemers uit elke poule naar de winnaarsronde"));
    SlechtsteComboBox->setAccessibleName(
        QStringLiteral("Aantal slechtste deelnemers uit elke poule naar de verliezersronde"));
    RadioBeste->setObjectName(QStringLiteral("RadioBeste"));
    RadioSlechtste->setObjectName(QStringLiteral("RadioSlechtste"));
    BesteComboBox->setObjectName(QStringLiteral("BesteComboBox"));
    SlechtsteComboBox->setObjectName(QStringLiteral("SlechtsteComboBox"));
    OKBitBtn->setObjectName(QStringLiteral("OKBitBtn"));
    AnnuleerBitBtn->setObjectName(QStringLiteral("AnnuleerBitBtn"));
    setTabOrder(BesteComboBox, RadioSlechtste);
    setTabOrder(RadioSlechtste, SlechtsteComboBox);
    setTabOrder(SlechtsteComboBox, OKBitBtn);
    setTabOrder(OKBitBtn, AnnuleerBitBtn);
    setTabOrder(AnnuleerBitBtn, RadioBeste);
}

QLabel* TKnockoutIndelingForm::MaakLabel(const QString& tekst, QPoint plaats, bool vet) {
    auto* label = new QLabel(tekst, this);
    if (vet) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    label->move(plaats);
    label->adjustSize();
    label->installEventFilter(this);
    Labels.append(label);
    return label;
}

void TKnockoutIndelingForm::MaakLabels() {
    const QString doorNaar = QStringLiteral("deelnemer(s) uit elke poule gaan door naar de");
    MaakLabel(QStringLiteral("De"), {40, 20});
    MaakLabel(doorNaar, {136, 20});
    MaakLabel(QStringLiteral("De overige deelnemers gaan naar de verliezersronde."), {40, 40});
    MaakLabel(QStringLiteral("De"), {40, 68});
    MaakLabel(doorNaar, {156, 68});
    MaakLabel(QStringLiteral("De overige deelnemers gaan naar de winnaarsronde."), {40, 88});
    MaakLabel(QStringLiteral("verliezersronde."), {374, 68}, true);
    MaakLabel(QStringLiteral("winnaarsronde."), {356, 20}, true);
    MaakLabel(QStringLiteral("beste"), {58, 20}, true);
    MaakLabel(QStringLiteral("slechtste"), {58, 68}, true);
}

void TKnockoutIndelingForm::MaakKeuzes() {
    RadioBeste = new QRadioButton(this);
    RadioBeste->setGeometry(16, 20, 17, 17);
    RadioSlechtste = new QRadioButton(this);
    RadioSlechtste->setGeometry(16, 68, 17, 17);
    BesteComboBox = new QComboBox(this);
    BesteComboBox->setGeometry(92, 16, 41, 21);
    SlechtsteComboBox = new QComboBox(this);
    SlechtsteComboBox->setGeometry(112, 64, 41, 21);
    for (QWidget* keuze :
         {static_cast<QWidget*>(RadioBeste), static_cast<QWidget*>(RadioSlechtste)})
        keuze->installEventFilter(this);
    connect(BesteComboBox, &QComboBox::currentIndexChanged, this,
            [this] { RadioBeste->setChecked(true); });
    connect(SlechtsteComboBox, &QComboBox::currentIndexChanged, this,
            [this] { RadioSlechtste->setChecked(true); });
}

void TKnockoutIndelingForm::MaakKnoppen() {
    OKBitBtn = new QPushButton(okIcoon(), QStringLiteral("&OK"), this);
    OKBitBtn->setGeometry(132, 115, 105, 25);
    OKBitBtn->setDefault(true);
    AnnuleerBitBtn = new QPushButton(annulerenIcoon(), QStringLiteral("&Annuleren"), this);
    AnnuleerBitBtn->setGeometry(244, 115, 105, 25);
    connect(OKBitBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(AnnuleerBitBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TKnockoutIndelingForm::SchikRegels() {
    SchikRegel(Labels[0], Labels[8], BesteComboBox, Labels[1], Labels[7], {58, 92, 136, 356});
    SchikRegel(Labels[3], Labels[9], SlechtsteComboBox, Labels[4], Labels[6], {58, 112, 156, 374});
    int rechts = 0;
    for (const QLabel* label : std::as_const(Labels))
        rechts = std::max(rechts, label->x() + label->width());
    const int breedte = std::max(ClientBreedte, rechts + Rand);
    if (breedte == ClientBreedte)
        return;
    // Wider than designed: the buttons stay in the middle.
    setFixedSize(breedte, ClientHoogte);
    const int verschuiving = (breedte - ClientBreedte) / 2;
    for (QPushButton* knop : {OKBitBtn, AnnuleerBitBtn})
        knop->move(knop->x() + verschuiving, knop->y());
}

// One sentence: "De", the bold word, the drop-down, the words, the bold
// round. Each part stands where it was designed unless the text before it
// runs into that place; then it follows the text.
void TKnockoutIndelingForm::SchikRegel(QLabel* de, QLabel* woord, QComboBox* keuze,
                                       QLabel* doorNaar, QLabel* ronde,
                                       std::array<int, 4> ontwerp) {
    woord->move(naTekst(de, ontwerp[0]), woord->y());
    keuze->move(naTekst(woord, ontwerp[1]), keuze->y());
    constexpr int NaKeuze = 3;
    doorNaar->move(std::max(ontwerp[2], keuze->x() + keuze->width() + NaKeuze), doorNaar->y());
    ronde->move(naTekst(doorNaar, ontwerp[3]), ronde->y());
}

bool TKnockoutIndelingForm::eventFilter(QObject* watched, QEvent* event) {
    const bool klik = event->type() == QEvent::MouseButtonPress;
    const bool dubbelklik = event->type() == QEvent::MouseButtonDblClick;
    if (!klik && !dubbelklik)
        return QDialog::eventFilter(watched, event);
    const qsizetype label = Labels.indexOf(qobject_cast<QLabel*>(watched));
    // Labels 1, 2, 3, 8 and 9 read as the "best" sentence, the others as
    // the "worst" one; a click on either chooses that rule.
    if (label >= 0 && klik) {
        const bool beste = label <= 2 || label == 7 || label == 8;
        (beste ? RadioBeste : RadioSlechtste)->setChecked(true);
    }
    if (dubbelklik && (label >= 0 || watched == RadioBeste || watched == RadioSlechtste)) {
        accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TKnockoutIndelingForm::VulKeuzes() {
    const int hoogste = KnockoutIndeling::HoogstePositie(*m_deelnemers);
    VulGetallen(BesteComboBox, 1, hoogste, hoogste >= 2 ? 1 : 0);
    VulGetallen(SlechtsteComboBox, 0, hoogste - 1, hoogste >= 3 ? 2 : 0);
}

std::optional<KnockoutIndeling::TKeuze>
TKnockoutIndelingForm::Kies(const TDeelnemerLijst& deelnemers) {
    m_deelnemers = &deelnemers;
    VulKeuzes();
    centreerOpScherm(this);
    const bool bevestigd = exec() == QDialog::Accepted;
    m_deelnemers = nullptr;
    if (!bevestigd)
        return std::nullopt;
    const bool beste = RadioBeste->isChecked();
    const QComboBox* keuze = beste ? BesteComboBox : SlechtsteComboBox;
    return KnockoutIndeling::TKeuze{beste, keuze->currentText().toInt()};
}
