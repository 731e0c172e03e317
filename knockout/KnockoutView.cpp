#include "knockout/KnockoutView.h"

#include "knockout/InputEindstandDialog.h"
#include "knockout/KiesDeelnemerForm.h"
#include "model/Knockout.h"
#include "model/ToernooiDocument.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStyleOptionButton>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

constexpr int KnopBreedte = TKnockoutView::WedstrijdHoogte;
constexpr int KnopHoogte = TKnockoutView::WedstrijdHoogte / 2;
constexpr int Kolombreedte = 2 * TKnockoutView::WedstrijdBreedte;

} // namespace

TKnockoutView::TKnockoutView(TKnockout& knockout, QWidget* parent)
    : QWidget(parent)
    , m_knockout(knockout)
    , m_rondes(knockout.AantalRondes())
    , m_eersteRonde(knockout.AantalWedstrijden(0)) {
    const int hoogteWedstrijden = 2 * WedstrijdHoogte * m_eersteRonde;
    const int breedte =
        m_rondes > 0 ? Kolombreedte * m_rondes - WedstrijdBreedte / 2 + 2 * Marge : 0;
    setFixedSize(breedte, 2 * Marge + hoogteWedstrijden);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
    KoppelWaarnemers();
}

TKnockoutView::~TKnockoutView() {
    // The bracket may outlive its view for a moment; it must not call back.
    for (int ronde = 0; ronde < m_rondes; ++ronde)
        for (int nummer = 0; nummer < m_knockout.AantalWedstrijden(ronde); ++nummer)
            m_knockout.Wedstrijd(ronde, nummer)->ZetWaarnemer({});
    for (const auto& wijziger : m_knockout.Wijzigers())
        wijziger->ZetWaarnemer({});
}

void TKnockoutView::KoppelWaarnemers() {
    for (int ronde = 0; ronde < m_rondes; ++ronde) {
        for (int nummer = 0; nummer < m_knockout.AantalWedstrijden(ronde); ++nummer) {
            const QRect rect = WedstrijdRect(ronde, nummer);
            m_knockout.Wedstrijd(ronde, nummer)->ZetWaarnemer([this, rect] { update(rect); });
        }
    }
    const auto& wijzigers = m_knockout.Wijzigers();
    for (std::size_t i = 0; i < wijzigers.size(); ++i) {
        const QRect rect = KnopRect(static_cast<int>(i / 2), static_cast<int>(i % 2));
        wijzigers[i]->ZetWaarnemer([this, rect] { update(rect); });
    }
}

int TKnockoutView::KolomX(int ronde) const {
    return ronde * Kolombreedte + Marge;
}

int TKnockoutView::MiddenY(int ronde, int nummer) const {
    const double hoogte = 2.0 * WedstrijdHoogte * m_eersteRonde;
    const double aantal = m_knockout.AantalWedstrijden(ronde);
    return static_cast<int>(std::trunc((nummer + 0.5) / aantal * hoogte)) + Marge;
}

QRect TKnockoutView::WedstrijdRect(int ronde, int nummer) const {
    return {KolomX(ronde) + WedstrijdBreedte / 2, MiddenY(ronde, nummer) - WedstrijdHoogte / 2,
            WedstrijdBreedte, WedstrijdHoogte};
}

QRect TKnockoutView::KnopRect(int wedstrijd, int plek) const {
    const int midden = MiddenY(0, wedstrijd);
    const int boven = plek == 0 ? midden - WedstrijdHoogte / 2 : midden;
    return {KolomX(0) + WedstrijdBreedte / 2 - WedstrijdHoogte, boven, KnopBreedte, KnopHoogte};
}

QRect TKnockoutView::RondeLabelRect(int ronde) const {
    const QString tekst = QStringLiteral("Ronde %1").arg(ronde + 1);
    const QSize maat = fontMetrics().size(0, tekst);
    const int midden = static_cast<int>(std::trunc((ronde + 0.5) * Kolombreedte)) + Marge;
    return {midden - maat.width() / 2, 8, maat.width(), maat.height()};
}

QRect TKnockoutView::WedstrijdLabelRect(int ronde, int nummer) const {
    const QString tekst = QStringLiteral("Wedstrijd %1").arg(nummer + 1);
    const QSize maat = fontMetrics().size(0, tekst);
    const int links = KolomX(ronde) + WedstrijdBreedte - maat.width() / 2;
    const int boven = MiddenY(ronde, nummer) - WedstrijdHoogte / 2 - maat.height() - 4;
    return {links, boven, maat.width(), maat.height()};
}

std::pair<int, int> TKnockoutView::ZichtbareWedstrijden(int ronde, const QRect& gebied) const {
    // Match centres grow with their number, so the matches that reach into
    // the area form one range; the margin covers the caption above a box.
    const int rand = WedstrijdHoogte + fontMetrics().height() + 8;
    auto eersteWaarvoor = [&](auto voorwaarde) {
        int begin = 0;
        int eind = m_knockout.AantalWedstrijden(ronde);
        while (begin < eind) {
            const int midden = begin + (eind - begin) / 2;
            if (voorwaarde(MiddenY(ronde, midden)))
                eind = midden;
            else
                begin = midden + 1;
        }
        return begin;
    };
    const int eerste = eersteWaarvoor([&](int y) { return y + rand >= gebied.top(); });
    const int eind = eersteWaarvoor([&](int y) { return y - rand > gebied.bottom(); });
    return {eerste, std::max(eerste, eind)};
}

void TKnockoutView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect gebied = event->rect();
    painter.fillRect(gebied, palette().window());
    if (m_rondes == 0)
        return;
    TekenLijnen(painter, gebied);
    for (int ronde = 0; ronde < m_rondes; ++ronde)
        TekenRonde(painter, ronde, gebied);
}

void TKnockoutView::TekenLijnen(QPainter& painter, const QRect& gebied) const {
    painter.setPen(palette().color(QPalette::WindowText));
    const int hoogte = 2 * WedstrijdHoogte * m_eersteRonde;
    for (int ronde = 0; ronde < m_rondes; ++ronde) {
        const int x = KolomX(ronde);
        const auto [eerste, eind] = ZichtbareWedstrijden(ronde, gebied);
        const int aantal = m_knockout.AantalWedstrijden(ronde);
        // A vertical line runs down from an odd match, which may lie above.
        for (int nummer = std::max(0, eerste - 1); nummer < eind; ++nummer) {
            const int y = MiddenY(ronde, nummer);
            if (ronde == m_rondes - 1) {
                painter.drawLine(x, y, x + WedstrijdBreedte, y);
                continue;
            }
            painter.drawLine(x, y, x + Kolombreedte, y);
            if (nummer % 2 == 0) {
                const int onder = y + static_cast<int>(std::trunc(double(hoogte) / aantal));
                painter.drawLine(x + Kolombreedte, y, x + Kolombreedte, onder);
            }
        }
    }
}

void TKnockoutView::TekenRonde(QPainter& painter, int ronde, const QRect& gebied) const {
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect kop = RondeLabelRect(ronde);
    if (kop.intersects(gebied))
        painter.drawText(kop, Qt::AlignLeft | Qt::AlignTop,
                         QStringLiteral("Ronde %1").arg(ronde + 1));
    const auto [eerste, eind] = ZichtbareWedstrijden(ronde, gebied);
    for (int nummer = eerste; nummer < eind; ++nummer) {
        const QRect label = WedstrijdLabelRect(ronde, nummer);
        if (label.intersects(gebied)) {
            painter.setPen(palette().color(QPalette::WindowText));
            painter.drawText(label, Qt::AlignLeft | Qt::AlignTop,
                             QStringLiteral("Wedstrijd %1").arg(nummer + 1));
        }
        const QRect box = WedstrijdRect(ronde, nummer);
        if (box.intersects(gebied))
            TekenWedstrijd(painter, *m_knockout.Wedstrijd(ronde, nummer), box);
        if (ronde != 0)
            continue;
        for (int plek = 0; plek < 2; ++plek) {
            const QRect knop = KnopRect(nummer, plek);
            const auto index = static_cast<std::size_t>(2 * nummer + plek);
            if (knop.intersects(gebied) && index < m_knockout.Wijzigers().size())
                TekenKnop(painter, *m_knockout.Wijzigers()[index], knop);
        }
    }
}

void TKnockoutView::TekenWedstrijd(QPainter& painter, const TKnockoutWedstrijd& wedstrijd,
                                   const QRect& rect) const {
    // A complete match has the window colour, any other the button face; a
    // result that the open correction would clear stands out in red.
    const bool gemarkeerd = m_gemarkeerd.contains(&wedstrijd);
    painter.fillRect(rect, gemarkeerd ? QColor(255, 205, 205)
                                      : palette().color(wedstrijd.IsCompleet() ? QPalette::Base
                                                                               : QPalette::Button));
    painter.setPen(gemarkeerd ? QColor(200, 0, 0) : palette().color(QPalette::Mid));
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    painter.setPen(palette().color(QPalette::Text));
    const QRect tekst = rect.adjusted(3, 1, -3, -1);
    const int regelHoogte = tekst.height() / 2;
    painter.drawText(QRect(tekst.left(), tekst.top(), tekst.width(), regelHoogte),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, wedstrijd.Regel(0));
    painter.drawText(QRect(tekst.left(), tekst.top() + regelHoogte, tekst.width(), regelHoogte),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, wedstrijd.Regel(1));
}

void TKnockoutView::TekenKnop(QPainter& painter, const TKnockoutWedstrijdWijzig& wijziger,
                              const QRect& rect) const {
    QStyleOptionButton optie;
    optie.initFrom(this);
    optie.rect = rect;
    optie.text = wijziger.Bijschrift();
    optie.state |= QStyle::State_Raised;
    style()->drawControl(QStyle::CE_PushButton, &optie, &painter, this);
}

TKnockoutView::Plaats TKnockoutView::ZoekPlaats(QPoint punt) const {
    for (int ronde = 0; ronde < m_rondes; ++ronde) {
        const int links = KolomX(ronde) + WedstrijdBreedte / 2 - (ronde == 0 ? KnopBreedte : 0);
        if (punt.x() < links || punt.x() >= KolomX(ronde) + WedstrijdBreedte * 3 / 2)
            continue;
        const auto [eerste, eind] = ZichtbareWedstrijden(ronde, QRect(punt, QSize(1, 1)));
        for (int nummer = eerste; nummer < eind; ++nummer) {
            if (WedstrijdRect(ronde, nummer).contains(punt))
                return {ronde, nummer, -1};
            if (ronde == 0)
                for (int plek = 0; plek < 2; ++plek)
                    if (KnopRect(nummer, plek).contains(punt))
                        return {ronde, nummer, plek};
        }
    }
    return {};
}

void TKnockoutView::mouseMoveEvent(QMouseEvent* event) {
    const Plaats plaats = ZoekPlaats(event->position().toPoint());
    const bool speelbaar = plaats.ronde >= 0 && plaats.plek < 0 &&
                           m_knockout.Wedstrijd(plaats.ronde, plaats.nummer)->IsSpeelbaar();
    setCursor(speelbaar ? Qt::PointingHandCursor : Qt::ArrowCursor);
    QWidget::mouseMoveEvent(event);
}

void TKnockoutView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        Klik(event->position().toPoint());
    QWidget::mouseReleaseEvent(event);
}

void TKnockoutView::Klik(QPoint punt) {
    const Plaats plaats = ZoekPlaats(punt);
    if (plaats.ronde < 0)
        return;
    if (plaats.plek < 0) {
        KlikWedstrijd(plaats.ronde, plaats.nummer);
        return;
    }
    const auto index = static_cast<std::size_t>(2 * plaats.nummer + plaats.plek);
    if (index < m_knockout.Wijzigers().size())
        KlikKnop(plaats.nummer, plaats.plek);
}

QString TKnockoutView::Plaatsnaam(int ronde, int nummer) const {
    QString naam = QStringLiteral("Wedstrijd %1, Ronde %2").arg(nummer + 1).arg(ronde + 1);
    if (m_knockout.KnockoutNr() == 2)
        naam += QStringLiteral(" (Verliezersronde)");
    return naam;
}

void TKnockoutView::Markeer(std::set<const TKnockoutWedstrijd*> wedstrijden) {
    for (int ronde = 0; ronde < m_rondes; ++ronde)
        for (int nummer = 0; nummer < m_knockout.AantalWedstrijden(ronde); ++nummer) {
            const TKnockoutWedstrijd* wedstrijd = m_knockout.Wedstrijd(ronde, nummer);
            if (m_gemarkeerd.contains(wedstrijd) != wedstrijden.contains(wedstrijd))
                update(WedstrijdRect(ronde, nummer));
        }
    m_gemarkeerd = std::move(wedstrijden);
}

void TKnockoutView::KlikWedstrijd(int ronde, int nummer) {
    TKnockoutWedstrijd& wedstrijd = *m_knockout.Wedstrijd(ronde, nummer);
    std::optional<TToernooiDocument::TStap> stap;
    if (m_document)
        stap.emplace(*m_document, QStringLiteral("uitslag ") + Plaatsnaam(ronde, nummer));
    // While the question is open, the results a new score would clear (the
    // played matches further along the winner's path) are marked.
    std::set<const TKnockoutWedstrijd*> teWissen;
    if (wedstrijd.IsSpeelbaar() && wedstrijd.VraagtBevestiging())
        for (const TKnockoutWedstrijd* verder = wedstrijd.Volgende(); verder;
             verder = verder->Volgende())
            if (verder->ScoreBoven() >= 0)
                teWissen.insert(verder);
    Markeer(teWissen);
    wedstrijd.VoerEindstandIn([this](TKnockoutWedstrijd& deze) {
        Markeer({});
        TInputEindstandDialog dialoog(window());
        dialoog.ToonVoorWedstrijd(deze);
    });
    Markeer({});
    // A cancelled score dialog clears nothing.
    const auto gewist =
        std::count_if(teWissen.begin(), teWissen.end(),
                      [](const TKnockoutWedstrijd* w) { return w->ScoreBoven() < 0; });
    if (gewist > 0)
        Q_EMIT Gecorrigeerd(static_cast<int>(gewist));
}

void TKnockoutView::KlikKnop(int wedstrijd, int plek) {
    TKnockoutWedstrijdWijzig& wijziger =
        *m_knockout.Wijzigers()[static_cast<std::size_t>(2 * wedstrijd + plek)];
    std::optional<TToernooiDocument::TStap> stap;
    if (m_document)
        stap.emplace(*m_document, QStringLiteral("deelnemer ") + Plaatsnaam(0, wedstrijd));
    wijziger.KnopKlik([this](const TKeuzelijst& lijst) -> std::optional<int> {
        TKiesDeelnemerForm kies(window());
        for (const TKeuzelijst::Rij& rij : lijst.rijen)
            kies.VoegRijToe(rij.code, rij.naam);
        kies.ZetKolomverhouding(lijst.kolomverhouding);
        if (kies.exec() != QDialog::Accepted)
            return std::nullopt;
        return kies.GeselecteerdeRij();
    });
}
