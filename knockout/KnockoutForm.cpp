#include "knockout/KnockoutForm.h"

#include "app/Afdrukken.h"
#include "app/Help.h"
#include "app/Paths.h"
#include "export/KnockoutNaarExcelForm.h"
#include "knockout/KnockoutView.h"
#include "model/Knockout.h"
#include "print/KnockoutAfdruk.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTabWidget>

namespace {

QScrollArea* MaakFrame(QTabWidget* tabs, const QString& titel) {
    auto* frame = new QScrollArea;
    frame->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    frame->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    frame->setWidgetResizable(false);
    tabs->addTab(frame, titel);
    return frame;
}

} // namespace

TKnockoutForm::TKnockoutForm(QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                         Qt::WindowCloseButtonHint | Qt::WindowTitleHint |
                         Qt::CustomizeWindowHint) {
    setWindowTitle(QStringLiteral("Knockout"));
    setHelpContext(this, HelpContext::Knockout);
    setMinimumSize(350 + 25, 150);
    PageControl = new QTabWidget(this);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    PageControl->move(8, 8);
    WinnaarsFrame = MaakFrame(PageControl, QStringLiteral("Winnaarsronde"));
    VerliezersFrame = MaakFrame(PageControl, QStringLiteral("Verliezersronde"));
    ExcelWinnaarsRondeBitBtn = new QPushButton(QStringLiteral("Excel (&Winnaarsronde)"), this);
    ExcelVerliezersrondeBitBtn = new QPushButton(QStringLiteral("Excel (&Verliezersronde)"), this);
    ExcelWinnaarsRondeBitBtn->setObjectName(QStringLiteral("ExcelWinnaarsRondeBitBtn"));
    ExcelVerliezersrondeBitBtn->setObjectName(QStringLiteral("ExcelVerliezersrondeBitBtn"));
    for (QPushButton* knop : {ExcelWinnaarsRondeBitBtn, ExcelVerliezersrondeBitBtn})
        knop->setFixedHeight(25);
    connect(ExcelWinnaarsRondeBitBtn, &QPushButton::clicked, this,
            &TKnockoutForm::ExcelWinnaarsRondeBitBtnClick);
    connect(ExcelVerliezersrondeBitBtn, &QPushButton::clicked, this,
            &TKnockoutForm::ExcelVerliezersrondeBitBtnClick);
    // Prints the bracket of the tab shown.
    AfdrukBitBtn = Afdrukken::MaakKnop(this, [this]() -> std::unique_ptr<Afdruk::TDocument> {
        const TKnockout* knockout =
            PageControl->currentIndex() == 0 ? m_winnaars.get() : m_verliezers.get();
        if (!knockout)
            return nullptr;
        return std::make_unique<TKnockoutAfdruk>(
            *knockout, Afdrukken::Kop(this, TKnockoutAfdruk::Naam(knockout->KnockoutNr())));
    });
    ExportDialoog = new TKnockoutNaarExcelForm(this);
    // Until the options are handed over, the export starts from a template
    // beside the program.
    ZetExportwaarden(Paths::executableFolder() + QStringLiteral("/knockout.xlt"), 2, 1);
    if (const QScreen* scherm = QGuiApplication::primaryScreen()) {
        const QRect beschikbaar = scherm->geometry();
        setGeometry(0, 315, beschikbaar.width(), std::max(150, beschikbaar.height() - 315 - 25));
    }
    PasIndelingAan();
}

TKnockoutForm::~TKnockoutForm() {
    VerwijderKnockouts();
}

void TKnockoutForm::resizeEvent(QResizeEvent* event) {
    PasIndelingAan();
    QWidget::resizeEvent(event);
}

void TKnockoutForm::PasIndelingAan() {
    // The square print button closes the row; the export buttons share the rest.
    const int knoppen = width() - 25;
    const int breedte = (knoppen - 16) / 2;
    const int boven = height() - 25 - 8;
    ExcelWinnaarsRondeBitBtn->setGeometry(8, boven, breedte, 25);
    ExcelVerliezersrondeBitBtn->setGeometry(knoppen / 2, boven, breedte, 25);
    AfdrukBitBtn->setGeometry(width() - 8 - 25, boven, 25, 25);
    PageControl->setGeometry(8, 8, width() - 16, boven - 16);
}

void TKnockoutForm::VerwijderKnockouts() {
    // Views first: they observe the matches of their bracket.
    delete WinnaarsFrame->takeWidget();
    delete VerliezersFrame->takeWidget();
    m_winnaarsView = nullptr;
    m_verliezersView = nullptr;
    m_winnaars.reset();
    m_verliezers.reset();
}

void TKnockoutForm::Bouw(TDeelnemerLijst& deelnemers, int indeling) {
    VerwijderKnockouts();
    auto gewijzigd = [this] {
        if (m_gewijzigd)
            m_gewijzigd();
    };
    m_winnaars = std::make_unique<TKnockout>(deelnemers, 1, indeling, gewijzigd);
    m_winnaarsView = new TKnockoutView(*m_winnaars, nullptr);
    WinnaarsFrame->setWidget(m_winnaarsView);
    m_verliezers = std::make_unique<TKnockout>(deelnemers, 2, indeling, gewijzigd);
    m_verliezersView = new TKnockoutView(*m_verliezers, nullptr);
    VerliezersFrame->setWidget(m_verliezersView);
    PageControl->setCurrentIndex(0);
    show();
    raise();
}

QString TKnockoutForm::KnockoutSjabloon() const {
    return ExportDialoog->KnockoutSjabloon;
}

int TKnockoutForm::BeginRij() const {
    return ExportDialoog->BeginRij;
}

int TKnockoutForm::BeginKolom() const {
    return ExportDialoog->BeginKolom;
}

void TKnockoutForm::ZetExportwaarden(const QString& knockoutSjabloon, int beginRij,
                                     int beginKolom) {
    ExportDialoog->KnockoutSjabloon = knockoutSjabloon;
    ExportDialoog->BeginRij = beginRij;
    ExportDialoog->BeginKolom = beginKolom;
}

void TKnockoutForm::ExcelWinnaarsRondeBitBtnClick() {
    if (m_winnaars)
        ExportDialoog->ExporteerKnockout(*m_winnaars);
}

void TKnockoutForm::ExcelVerliezersrondeBitBtnClick() {
    if (m_verliezers)
        ExportDialoog->ExporteerKnockout(*m_verliezers);
}
