#include "ui/GeschilderdeToegang.h"

#include <QWidget>
#include <QWindow>

namespace {

TToegangLuisteraar& Luisteraar() {
    static TToegangLuisteraar luisteraar;
    return luisteraar;
}

} // namespace

void ZetToegangLuisteraar(TToegangLuisteraar luisteraar) {
    Luisteraar() = std::move(luisteraar);
}

void MeldToegang(QObject* object, QAccessible::Event soort, int kind) {
    if (!QAccessible::isActive() && !Luisteraar())
        return;
    QAccessibleEvent melding(object, soort);
    melding.setChild(kind);
    if (Luisteraar())
        Luisteraar()(melding);
    QAccessible::updateAccessibility(&melding);
}

TGeschilderdeToegang::TGeschilderdeToegang(QWidget* widget, QAccessible::Role rol)
    : QAccessibleWidget(widget, rol) {}

TGeschilderdeToegang::~TGeschilderdeToegang() {
    for (const QAccessible::Id id : std::as_const(m_kinderen))
        QAccessible::deleteAccessibleInterface(id);
}

QAccessibleInterface* TGeschilderdeToegang::child(int index) const {
    if (index < 0 || index >= childCount())
        return nullptr;
    const auto bekend = m_kinderen.constFind(index);
    if (bekend != m_kinderen.constEnd())
        return QAccessible::accessibleInterface(*bekend);
    QAccessibleInterface* kind = MaakKind(index);
    m_kinderen.insert(index, QAccessible::registerAccessibleInterface(kind));
    return kind;
}

int TGeschilderdeToegang::indexOfChild(const QAccessibleInterface* kind) const {
    const auto* deel = dynamic_cast<const TGeschilderdDeel*>(kind);
    return deel && deel->Widget() == widget() ? deel->Index() : -1;
}

TGeschilderdDeel::TGeschilderdDeel(QWidget* widget, int index)
    : m_widget(widget)
    , m_index(index) {}

bool TGeschilderdDeel::isValid() const {
    const QAccessibleInterface* ouder = parent();
    return ouder && m_index < ouder->childCount();
}

QWindow* TGeschilderdDeel::window() const {
    return m_widget ? m_widget->window()->windowHandle() : nullptr;
}

QAccessibleInterface* TGeschilderdDeel::parent() const {
    return m_widget ? QAccessible::queryAccessibleInterface(m_widget.data()) : nullptr;
}

QRect TGeschilderdDeel::rect() const {
    if (!m_widget)
        return {};
    const QRect lokaal = LokaalRect();
    return {m_widget->mapToGlobal(lokaal.topLeft()), lokaal.size()};
}

QAccessible::State TGeschilderdDeel::state() const {
    QAccessible::State toestand;
    if (!m_widget)
        return toestand;
    toestand.focusable = true;
    toestand.focused = HeeftFocus();
    toestand.disabled = !m_widget->isEnabled();
    toestand.invisible = !m_widget->isVisible();
    // Parts scrolled out of view are there, but not on screen.
    toestand.offscreen = !m_widget->visibleRegion().intersects(LokaalRect());
    return toestand;
}

void* TGeschilderdDeel::interface_cast(QAccessible::InterfaceType soort) {
    if (soort == QAccessible::ActionInterface)
        return static_cast<QAccessibleActionInterface*>(this);
    return nullptr;
}

QStringList TGeschilderdDeel::actionNames() const {
    if (m_widget && IsKlikbaar())
        return {pressAction()};
    return {};
}

void TGeschilderdDeel::doAction(const QString& actie) {
    if (m_widget && actie == pressAction() && IsKlikbaar())
        Klik();
}
