#include "knockout/KnockoutView.h"

#include "ui/GeschilderdeToegang.h"
#include "knockout/InputEindstandDialog.h"
#include "knockout/KiesDeelnemerForm.h"
#include "knockout/KnockoutViewToegang.h"
#include "model/Knockout.h"
#include "model/MessageService.h"
#include "model/Text.h"
#include "model/ToernooiDocument.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <QStyleOptionButton>
#include <QToolTip>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace {

constexpr int KnopBreedte = TKnockoutView::WedstrijdHoogte;
constexpr int KnopHoogte = TKnockoutView::WedstrijdHoogte / 2;
// Room between a box's frame and its text.
constexpr int TekstInspringing = 3;
// Room before and after the winner's caption on its line.
constexpr int WinnaarInspringing = 8;

// A one-pixel line from a to b, both ends included, in the pen's colour. A
// filled strip gives the pixels a thin pen gives at scale 1, and at any
// higher scale it covers whole device pixels of exactly those logical ones
// rather than straddling their edge.
void Lijn(QPainter& painter, QPoint a, QPoint b) {
    painter.fillRect(QRect(a, b).normalized(), painter.pen().color());
}

} // namespace

TKnockoutView::TKnockoutView(const TKnockout& knockout, QWidget* parent)
    : QWidget(parent)
    , m_knockout(knockout)
    , m_rondes(knockout.AantalRondes())
    , m_eersteRonde(knockout.AantalWedstrijden(0)) {
    const int hoogteWedstrijden = 2 * WedstrijdHoogte * m_eersteRonde;
    // Columns of the box width with as much room between them, the lines
    // of the first round starting half that room before its boxes.
    std::vector<TSchemaGeometrie::TKolom> kolommen;
    for (int ronde = 0; ronde < m_rondes; ++ronde)
        kolommen.push_back({WedstrijdBreedte, 0, knockout.AantalWedstrijden(ronde)});
    m_geometrie = TSchemaGeometrie(0, std::move(kolommen), Marge + WedstrijdBreedte / 2,
                                   WedstrijdBreedte, Marge, hoogteWedstrijden, true);
    setFixedSize(OntwerpBreedte(), 2 * Marge + hoogteWedstrijden);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Everything is painted from the top left: a wider view (a winner's
    // caption) only paints the strip that is new.
    setAttribute(Qt::WA_StaticContents);
    setAutoFillBackground(false);
    if (m_rondes > 0) {
        setFocusPolicy(Qt::StrongFocus);
        m_cursor = {0, 0, -1};
    }
    InstalleerKnockoutViewToegang();
    VernieuwWinnaar();
}

TKnockoutView::~TKnockoutView() = default;

int TKnockoutView::OntwerpBreedte() const {
    return m_rondes > 0 ? static_cast<int>(m_geometrie.X(0) + m_geometrie.TotaleBreedte()) + Marge
                        : 0;
}

void TKnockoutView::ZetDocument(TToernooiDocument* document) {
    if (m_document)
        disconnect(m_document, nullptr, this, nullptr);
    m_document = document;
    if (m_document)
        connect(m_document, &TToernooiDocument::KnockoutGewijzigd, this,
                &TKnockoutView::PadGewijzigd);
}

void TKnockoutView::PadGewijzigd(int knockoutNr, int ronde, int nummer) {
    if (knockoutNr != m_knockout.KnockoutNr() || nummer >= m_knockout.AantalWedstrijden(ronde))
        return;
    if (ronde == 0) {
        WedstrijdGewijzigd({0, nummer, 0});
        WedstrijdGewijzigd({0, nummer, 1});
    }
    // A change runs along the path only: the boxes elsewhere stay as drawn.
    for (; ronde < m_rondes; ++ronde, nummer /= 2)
        WedstrijdGewijzigd({ronde, nummer, -1});
}

void TKnockoutView::WedstrijdGewijzigd(Plaats plaats) {
    update(PlaatsRect(plaats));
    if (!plaats.IsKnop() && plaats.ronde == m_rondes - 1)
        VernieuwWinnaar();
    MeldToegang(this, QAccessible::NameChanged, IndexVan(plaats));
}

int TKnockoutView::KolomX(int ronde) const {
    return static_cast<int>(m_geometrie.Knik(ronde - 1));
}

int TKnockoutView::MiddenY(int ronde, int nummer) const {
    return static_cast<int>(m_geometrie.MiddenY(ronde, nummer));
}

QRect TKnockoutView::WedstrijdRect(int ronde, int nummer) const {
    return {static_cast<int>(m_geometrie.X(ronde)),
            static_cast<int>(m_geometrie.DoosBoven(ronde, nummer, WedstrijdHoogte)),
            WedstrijdBreedte, WedstrijdHoogte};
}

QRect TKnockoutView::KnopRect(int wedstrijd, int plek) const {
    const int boven = plek == 0
                          ? static_cast<int>(m_geometrie.DoosBoven(0, wedstrijd, WedstrijdHoogte))
                          : MiddenY(0, wedstrijd);
    return {static_cast<int>(m_geometrie.X(0)) - KnopBreedte, boven, KnopBreedte, KnopHoogte};
}

QRect TKnockoutView::PlaatsRect(Plaats plaats) const {
    if (!plaats.IsGeldig())
        return {};
    return plaats.IsKnop() ? KnopRect(plaats.nummer, plaats.plek)
                           : WedstrijdRect(plaats.ronde, plaats.nummer);
}

QRect TKnockoutView::RondeLabelRect(int ronde) const {
    const QSize maat = fontMetrics().size(0, TKnockout::RondeTitel(ronde));
    return {static_cast<int>(m_geometrie.KopLinks(ronde, maat.width())), 8, maat.width(),
            maat.height()};
}

QRect TKnockoutView::WedstrijdLabelRect(int ronde, int nummer) const {
    const QString tekst = QStringLiteral("Wedstrijd %1").arg(nummer + 1);
    const QSize maat = fontMetrics().size(0, tekst);
    const int links = static_cast<int>(m_geometrie.KopLinks(ronde, maat.width()));
    const int boven = WedstrijdRect(ronde, nummer).top() - maat.height() - 4;
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
    if (!m_winnaar.isEmpty() && m_winnaarRect.intersects(gebied))
        TekenWinnaar(painter);
}

void TKnockoutView::TekenLijnen(QPainter& painter, const QRect& gebied) const {
    painter.setPen(palette().color(QPalette::WindowText));
    for (int ronde = 0; ronde < m_rondes; ++ronde) {
        // Each match's line runs through its box from the joint before it
        // to the joint after it; the final's ends under its box.
        const int x = KolomX(ronde);
        const int knik = static_cast<int>(m_geometrie.Knik(ronde));
        const auto [eerste, eind] = ZichtbareWedstrijden(ronde, gebied);
        // A vertical line runs down from an odd match, which may lie above.
        for (int nummer = std::max(0, eerste - 1); nummer < eind; ++nummer) {
            const int y = MiddenY(ronde, nummer);
            if (ronde == m_rondes - 1) {
                Lijn(painter, {x, y}, {static_cast<int>(m_geometrie.MiddenX(ronde)), y});
                continue;
            }
            Lijn(painter, {x, y}, {knik, y});
            if (nummer % 2 == 0)
                Lijn(painter, {knik, y}, {knik, MiddenY(ronde, nummer + 1)});
        }
    }
}

void TKnockoutView::TekenRonde(QPainter& painter, int ronde, const QRect& gebied) const {
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect kop = RondeLabelRect(ronde);
    if (kop.intersects(gebied))
        painter.drawText(kop, Qt::AlignLeft | Qt::AlignTop, TKnockout::RondeTitel(ronde));
    const auto [eerste, eind] = ZichtbareWedstrijden(ronde, gebied);
    for (int nummer = eerste; nummer < eind; ++nummer) {
        const QRect label = WedstrijdLabelRect(ronde, nummer);
        if (label.intersects(gebied)) {
            painter.setPen(palette().color(QPalette::WindowText));
            painter.drawText(label, Qt::AlignLeft | Qt::AlignTop,
                             QStringLiteral("Wedstrijd %1").arg(nummer + 1));
        }
        const QRect box = WedstrijdRect(ronde, nummer);
        if (box.intersects(gebied)) {
            TekenWedstrijd(painter, *m_knockout.Wedstrijd(ronde, nummer), box);
            if (hasFocus() && m_cursor == Plaats{ronde, nummer, -1})
                TekenFocus(painter, box);
        }
        if (ronde != 0)
            continue;
        for (int plek = 0; plek < 2; ++plek) {
            const QRect knop = KnopRect(nummer, plek);
            const TKnockoutWedstrijdWijzig* wijziger = m_knockout.Wijziger(nummer, plek);
            if (knop.intersects(gebied) && wijziger)
                TekenKnop(painter, *wijziger, {0, nummer, plek}, knop);
        }
    }
}

void TKnockoutView::TekenWedstrijd(QPainter& painter, const TKnockoutWedstrijd& wedstrijd,
                                   const QRect& rect) const {
    // A complete match has the window colour, any other the button face; a
    // result that the open correction would clear stands out in red. The
    // frame is filled, not stroked, so that it covers whole device pixels
    // inside the box at any scale.
    const bool gemarkeerd = m_gemarkeerd.contains(&wedstrijd);
    painter.fillRect(rect, gemarkeerd ? QColor(200, 0, 0) : palette().color(QPalette::Mid));
    painter.fillRect(
        rect.adjusted(1, 1, -1, -1),
        gemarkeerd ? QColor(255, 205, 205)
                   : palette().color(wedstrijd.IsCompleet() ? QPalette::Base : QPalette::Button));
    painter.setPen(palette().color(QPalette::Text));
    const QRect tekst = rect.adjusted(TekstInspringing, 1, -TekstInspringing, -1);
    const int regelHoogte = tekst.height() / 2;
    painter.drawText(QRect(tekst.left(), tekst.top(), tekst.width(), regelHoogte),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, wedstrijd.Regel(0));
    painter.drawText(QRect(tekst.left(), tekst.top() + regelHoogte, tekst.width(), regelHoogte),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, wedstrijd.Regel(1));
}

void TKnockoutView::TekenKnop(QPainter& painter, const TKnockoutWedstrijdWijzig& wijziger,
                              Plaats plaats, const QRect& rect) const {
    QStyleOptionButton optie;
    optie.initFrom(this);
    // The view's own focus and hover are not the button's.
    optie.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
    optie.rect = rect;
    optie.text = wijziger.Bijschrift();
    const bool zweeft = m_zweef == plaats;
    if (zweeft)
        optie.state |= QStyle::State_MouseOver;
    // Pressed while the mouse is still over it, as a push button shows it.
    optie.state |= zweeft && m_ingedrukt == plaats ? QStyle::State_Sunken : QStyle::State_Raised;
    style()->drawControl(QStyle::CE_PushButton, &optie, &painter, this);
    if (hasFocus() && m_cursor == plaats)
        TekenFocus(painter, rect);
}

void TKnockoutView::TekenFocus(QPainter& painter, const QRect& rect) const {
    // Two pixels in the selection colour just inside the frame: clearly seen
    // on both box colours, and within the box, so that moving the cursor
    // repaints nothing but the two boxes.
    const QColor kleur = palette().color(QPalette::Highlight);
    const QRect binnen = rect.adjusted(1, 1, -1, -1);
    painter.fillRect(QRect(binnen.left(), binnen.top(), binnen.width(), 2), kleur);
    painter.fillRect(QRect(binnen.left(), binnen.bottom() - 1, binnen.width(), 2), kleur);
    painter.fillRect(QRect(binnen.left(), binnen.top(), 2, binnen.height()), kleur);
    painter.fillRect(QRect(binnen.right() - 1, binnen.top(), 2, binnen.height()), kleur);
}

QString TKnockoutView::WinnaarTekst() const {
    return m_winnaar;
}

void TKnockoutView::VernieuwWinnaar() {
    const TKnockoutWedstrijd* finale =
        m_rondes > 0 ? m_knockout.Wedstrijd(m_rondes - 1, 0) : nullptr;
    const TDeelnemer* winnaar = finale ? finale->Winnaar() : nullptr;
    const QString tekst = winnaar ? QStringLiteral("Winnaar: ") + winnaar->Naam() : QString();
    if (tekst == m_winnaar)
        return;
    update(m_winnaarRect);
    m_winnaar = tekst;
    m_winnaarRect = {};
    if (!tekst.isEmpty()) {
        QFont vet = font();
        vet.setBold(true);
        const QFontMetrics metriek(vet);
        const QRect box = WedstrijdRect(m_rondes - 1, 0);
        const int y = MiddenY(m_rondes - 1, 0);
        m_winnaarRect =
            QRect(box.right() + 1, y - metriek.height() - 2,
                  metriek.horizontalAdvance(tekst) + 2 * WinnaarInspringing, metriek.height() + 3);
        // The view grows to hold the caption and keeps that width when the
        // final is cleared again: a correction does not make the whole
        // bracket jump or repaint.
        const int breedte = m_winnaarRect.right() + 1 + Marge;
        if (breedte > width())
            setFixedSize(breedte, height());
    }
    update(m_winnaarRect);
}

void TKnockoutView::TekenWinnaar(QPainter& painter) const {
    // The line that leaves the final, with the winner's name standing on it.
    const int y = MiddenY(m_rondes - 1, 0);
    painter.setPen(palette().color(QPalette::WindowText));
    Lijn(painter, {m_winnaarRect.left(), y}, {m_winnaarRect.right(), y});
    QFont vet = font();
    vet.setBold(true);
    painter.setFont(vet);
    const QRect tekst(m_winnaarRect.left() + WinnaarInspringing, m_winnaarRect.top(),
                      m_winnaarRect.width() - WinnaarInspringing, y - 2 - m_winnaarRect.top());
    painter.drawText(tekst, Qt::AlignLeft | Qt::AlignBottom | Qt::TextSingleLine, m_winnaar);
    painter.setFont(font());
}

TKnockoutView::Plaats TKnockoutView::PlaatsOp(QPoint punt) const {
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
    const Plaats plaats = PlaatsOp(event->position().toPoint());
    const bool speelbaar = plaats.IsGeldig() && !plaats.IsKnop() &&
                           m_knockout.Wedstrijd(plaats.ronde, plaats.nummer)->IsSpeelbaar();
    setCursor(speelbaar ? Qt::PointingHandCursor : Qt::ArrowCursor);
    ZetZweef(plaats.IsKnop() ? plaats : Plaats{});
    QWidget::mouseMoveEvent(event);
}

void TKnockoutView::leaveEvent(QEvent* event) {
    ZetZweef({});
    QWidget::leaveEvent(event);
}

void TKnockoutView::ZetZweef(Plaats plaats) {
    if (plaats == m_zweef)
        return;
    update(PlaatsRect(m_zweef));
    m_zweef = plaats;
    update(PlaatsRect(m_zweef));
}

void TKnockoutView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_ingedrukt = PlaatsOp(event->position().toPoint());
    if (m_ingedrukt.IsKnop())
        ZetZweef(m_ingedrukt);
    // The cursor follows the click, but the view does not scroll under the
    // mouse: the release must land on the same box.
    if (m_ingedrukt.IsGeldig() && m_ingedrukt != m_cursor) {
        update(PlaatsRect(m_cursor));
        m_cursor = m_ingedrukt;
        MeldFocus();
    }
    update(PlaatsRect(m_ingedrukt));
}

void TKnockoutView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const Plaats ingedrukt = m_ingedrukt;
    m_ingedrukt = {};
    update(PlaatsRect(ingedrukt));
    // A click is a press and a release on the same box or button.
    const Plaats plaats = PlaatsOp(event->position().toPoint());
    if (plaats.IsGeldig() && plaats == ingedrukt)
        Activeer(plaats);
}

bool TKnockoutView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* hulp = static_cast<QHelpEvent*>(event);
        ToonTip(hulp->pos(), hulp->globalPos());
        return true;
    }
    return QWidget::event(event);
}

void TKnockoutView::ToonTip(QPoint punt, QPoint globaal) {
    // Only a name that its box cuts off has a tooltip: the name in full.
    const Plaats plaats = PlaatsOp(punt);
    if (plaats.IsGeldig() && !plaats.IsKnop()) {
        const TKnockoutWedstrijd& wedstrijd = *m_knockout.Wedstrijd(plaats.ronde, plaats.nummer);
        const QRect box = WedstrijdRect(plaats.ronde, plaats.nummer);
        const int regel = punt.y() < box.top() + box.height() / 2 ? 0 : 1;
        const TDeelnemer* deelnemer = regel == 0        ? wedstrijd.DeelnemerBoven()
                                      : wedstrijd.Bye() ? nullptr
                                                        : wedstrijd.DeelnemerOnder();
        const int ruimte = box.width() - 2 * TekstInspringing;
        if (deelnemer && fontMetrics().horizontalAdvance(wedstrijd.Regel(regel)) > ruimte) {
            const QRect regelRect(box.left(), box.top() + regel * box.height() / 2, box.width(),
                                  box.height() / 2);
            QToolTip::showText(globaal, deelnemer->Naam(), this, regelRect);
            return;
        }
    }
    QToolTip::hideText();
}

void TKnockoutView::keyPressEvent(QKeyEvent* event) {
    if (m_rondes == 0 ||
        event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End: {
        const Plaats van = m_cursor;
        const Plaats naar = Buur(van, event->key());
        ZetCursor(naar);
        if (event->key() == Qt::Key_Right && !van.IsKnop() && naar != van)
            m_terug = van;
        break;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        Activeer(m_cursor);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

TKnockoutView::Plaats TKnockoutView::Buur(Plaats van, int toets) const {
    const int laatste = m_knockout.AantalWedstrijden(van.ronde) - 1;
    if (van.IsKnop()) {
        // The choice buttons form one column: upper and lower of every match.
        const int rij = 2 * van.nummer + van.plek;
        const int rijen = 2 * m_eersteRonde;
        auto knop = [](int r) { return Plaats{0, r / 2, r % 2}; };
        switch (toets) {
        case Qt::Key_Up:
            return knop(std::max(rij - 1, 0));
        case Qt::Key_Down:
            return knop(std::min(rij + 1, rijen - 1));
        case Qt::Key_Home:
            return knop(0);
        case Qt::Key_End:
            return knop(rijen - 1);
        case Qt::Key_Right:
            return {0, van.nummer, -1};
        default:
            return van;
        }
    }
    switch (toets) {
    case Qt::Key_Up:
        return {van.ronde, std::max(van.nummer - 1, 0), -1};
    case Qt::Key_Down:
        return {van.ronde, std::min(van.nummer + 1, laatste), -1};
    case Qt::Key_Home:
        return {van.ronde, 0, -1};
    case Qt::Key_End:
        return {van.ronde, laatste, -1};
    case Qt::Key_Right:
        return van.ronde + 1 < m_rondes ? Plaats{van.ronde + 1, van.nummer / 2, -1} : van;
    case Qt::Key_Left:
        if (van.ronde == 0)
            return {0, van.nummer, 0};
        // Back along the way the cursor came, else to the upper feeder.
        if (m_terug.ronde == van.ronde - 1 && !m_terug.IsKnop() && m_terug.nummer / 2 == van.nummer)
            return m_terug;
        return {van.ronde - 1, 2 * van.nummer, -1};
    default:
        return van;
    }
}

void TKnockoutView::ZetCursor(Plaats plaats) {
    if (!plaats.IsGeldig())
        return;
    if (plaats != m_cursor) {
        update(PlaatsRect(m_cursor));
        m_cursor = plaats;
        update(PlaatsRect(m_cursor));
    }
    MaakCursorZichtbaar();
    MeldFocus();
}

void TKnockoutView::MaakCursorZichtbaar() {
    // The view is the widget of the knockout window's scrolling frame.
    QScrollArea* frame = nullptr;
    for (QWidget* ouder = parentWidget(); ouder && !frame; ouder = ouder->parentWidget())
        frame = qobject_cast<QScrollArea*>(ouder);
    if (!frame || !m_cursor.IsGeldig())
        return;
    const QRect rect = PlaatsRect(m_cursor);
    // The caption above a box comes along.
    const int boven = m_cursor.IsKnop() ? 0 : fontMetrics().height() + 4;
    const QPoint midden = rect.center();
    frame->ensureVisible(midden.x(), midden.y() - boven / 2, rect.width() / 2 + 8,
                         rect.height() / 2 + boven / 2 + 8);
}

void TKnockoutView::focusInEvent(QFocusEvent* event) {
    // Only the current place shows the focus.
    update(PlaatsRect(m_cursor));
    // Scrolled to when the keyboard brings the focus, not under a click.
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason ||
        event->reason() == Qt::OtherFocusReason)
        MaakCursorZichtbaar();
    // Qt announces the view itself only after this handler; the match is
    // announced after that, or a screen reader would read the panel instead.
    QMetaObject::invokeMethod(
        this, [this] { MeldFocus(); }, Qt::QueuedConnection);
}

void TKnockoutView::focusOutEvent(QFocusEvent*) {
    update(PlaatsRect(m_cursor));
}

void TKnockoutView::MeldFocus() const {
    if (!hasFocus() || !m_cursor.IsGeldig())
        return;
    MeldToegang(const_cast<TKnockoutView*>(this), QAccessible::Focus, IndexVan(m_cursor));
}

int TKnockoutView::AantalPlaatsen() const {
    if (m_rondes == 0)
        return 0;
    return 2 * m_eersteRonde - 1 + 2 * m_eersteRonde;
}

int TKnockoutView::IndexVan(Plaats plaats) const {
    if (!plaats.IsGeldig())
        return -1;
    // Round r starts after the 2·M1 − 2·N_r matches of the rounds before it.
    if (!plaats.IsKnop())
        return 2 * m_eersteRonde - 2 * m_knockout.AantalWedstrijden(plaats.ronde) + plaats.nummer;
    return 2 * m_eersteRonde - 1 + 2 * plaats.nummer + plaats.plek;
}

TKnockoutView::Plaats TKnockoutView::PlaatsVanIndex(int index) const {
    if (index < 0 || index >= AantalPlaatsen())
        return {};
    for (int ronde = 0; ronde < m_rondes; ++ronde) {
        const int begin = IndexVan({ronde, 0, -1});
        if (index < begin + m_knockout.AantalWedstrijden(ronde))
            return {ronde, index - begin, -1};
    }
    const int knop = index - (2 * m_eersteRonde - 1);
    return {0, knop / 2, knop % 2};
}

QString TKnockoutView::Omschrijving(Plaats plaats) const {
    if (!plaats.IsGeldig())
        return {};
    const TKnockoutWedstrijd& wedstrijd = *m_knockout.Wedstrijd(plaats.ronde, plaats.nummer);
    // A choose button picks who stands in the place; the score belongs to the
    // match, not to that choice.
    auto plek = [&](int p, bool metScore) {
        if (p == 1 && wedstrijd.Bye())
            return QStringLiteral("bye");
        const TDeelnemer* deelnemer =
            p == 0 ? wedstrijd.DeelnemerBoven() : wedstrijd.DeelnemerOnder();
        if (!deelnemer)
            return QStringLiteral("n.o.");
        // A match not played out is heard as its loser's "w.o." (or "opg.",
        // "disk."), not as the score kept for older readers.
        const TKnockoutAfloop& afloop = wedstrijd.Afloop();
        if (afloop.Soort != TAfloop::Gespeeld)
            return afloop.Verliezer != p || !metScore
                       ? deelnemer->Naam()
                       : deelnemer->Naam() + u' ' + AfloopAfkorting(afloop.Soort);
        const int score = p == 0 ? wedstrijd.ScoreBoven() : wedstrijd.ScoreOnder();
        return score < 0 || !metScore ? deelnemer->Naam()
                                      : deelnemer->Naam() + u' ' + QString::number(score);
    };
    const QString kop =
        QStringLiteral("Ronde %1, wedstrijd %2").arg(plaats.ronde + 1).arg(plaats.nummer + 1);
    if (plaats.IsKnop())
        return kop +
               (plaats.plek == 0 ? QStringLiteral(", bovenste plek kiezen: ")
                                 : QStringLiteral(", onderste plek kiezen: ")) +
               plek(plaats.plek, false);
    QString omschrijving =
        kop + QStringLiteral(": ") + plek(0, true) + QStringLiteral(", ") + plek(1, true);
    // The winner is painted beside the final; a screen reader hears it there.
    if (plaats.ronde == m_rondes - 1 && !m_winnaar.isEmpty())
        omschrijving += QStringLiteral(". ") + m_winnaar;
    return omschrijving;
}

bool TKnockoutView::IsKlikbaar(Plaats plaats) const {
    if (!plaats.IsGeldig())
        return false;
    return plaats.IsKnop() || m_knockout.Wedstrijd(plaats.ronde, plaats.nummer)->IsSpeelbaar();
}

void TKnockoutView::Klik(QPoint punt) {
    Activeer(PlaatsOp(punt));
}

void TKnockoutView::Activeer(Plaats plaats) {
    if (!plaats.IsGeldig())
        return;
    if (!plaats.IsKnop())
        KlikWedstrijd(plaats.ronde, plaats.nummer);
    else if (m_knockout.Wijziger(plaats.nummer, plaats.plek))
        KlikKnop(plaats.nummer, plaats.plek);
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
    const TKnockoutWedstrijd& wedstrijd = *m_knockout.Wedstrijd(ronde, nummer);
    if (!wedstrijd.IsSpeelbaar() || !m_document)
        return;
    // While the question is open, the results a new score would clear are
    // marked.
    const std::vector<const TKnockoutWedstrijd*> teWissen = wedstrijd.TeWissen();
    if (!teWissen.empty()) {
        Markeer({teWissen.begin(), teWissen.end()});
        const Answer antwoord = messages().confirm(
            QStringLiteral(
                "Het wijzigen van deze eindstand verandert het verdere verloop van de knockout.") +
                Text::lineBreak + Text::lineBreak + QStringLiteral("Wilt u toch doorgaan?"),
            Buttons::YesNo);
        Markeer({});
        if (antwoord != Answer::Yes)
            return;
    }
    TInputEindstandDialog dialoog(window());
    const std::optional<TInputEindstandDialog::TEindstand> eindstand =
        dialoog.ToonVoorWedstrijd(wedstrijd);
    if (!eindstand)
        return;
    const auto gewist =
        eindstand->Afloop.Soort == TAfloop::Gespeeld
            ? m_document->ZetUitslag(m_knockout.KnockoutNr(), ronde, nummer, eindstand->Boven,
                                     eindstand->Onder)
            : m_document->ZetAfloop(m_knockout.KnockoutNr(), ronde, nummer, eindstand->Afloop);
    if (!gewist.empty())
        Q_EMIT Gecorrigeerd(static_cast<int>(gewist.size()));
}

void TKnockoutView::KlikKnop(int wedstrijd, int plek) {
    const TKnockoutWedstrijdWijzig& wijziger = *m_knockout.Wijziger(wedstrijd, plek);
    if (!m_document)
        return;
    if (wijziger.VraagtBevestiging() &&
        messages().confirm(QStringLiteral("Het kiezen van een andere deelnemer verandert het "
                                          "verdere verloop van de knockout.") +
                               Text::lineBreak + Text::lineBreak +
                               QStringLiteral("Wilt u toch doorgaan?"),
                           Buttons::YesNo) != Answer::Yes)
        return;
    const TKeuzelijst lijst = wijziger.VulKeuzelijst();
    TKiesDeelnemerForm kies(window());
    const std::optional<int> rij = kies.Kies(lijst);
    if (!rij)
        return;
    const TKeuzelijst::Rij& gekozen = lijst.rijen[static_cast<std::size_t>(*rij)];
    if (gekozen.bye)
        m_document->MaakBye(m_knockout.KnockoutNr(), wedstrijd);
    else
        m_document->KiesDeelnemer(m_knockout.KnockoutNr(), wedstrijd, plek, gekozen.deelnemer);
}
