#include "ui/Help.h"
#include "ui/HelpVenster.h"

#include "model/MessageService.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include <algorithm>

namespace {

const char* const HelpContextEigenschap = "helpContext";
const QString GeenHelpTekst = QStringLiteral("De helptekst kan niet worden getoond.");

} // namespace

void setHelpContext(QWidget* widget, int context) {
    widget->setProperty(HelpContextEigenschap, context);
}

int helpContextOf(const QWidget* widget) {
    for (; widget; widget = widget->parentWidget()) {
        const int context = widget->property(HelpContextEigenschap).toInt();
        if (context > 0)
            return context;
    }
    return 0;
}

THelp::THelp(QObject* parent)
    : QObject(parent) {
    if (QCoreApplication* app = QCoreApplication::instance())
        app->installEventFilter(this);
}

THelp::~THelp() {
    // Detach first: hiding the window must not come back here.
    if (QCoreApplication* app = QCoreApplication::instance())
        app->removeEventFilter(this);
    SluitAlles();
    delete m_venster.data();
}

void THelp::ToonStandaard() {
    Toon(THelpVenster::StandaardPagina());
}

void THelp::ToonContext(int context) {
    Toon(THelpVenster::PaginaVan(context));
}

void THelp::SluitAlles() {
    if (m_venster)
        m_venster->close();
}

THelpVenster& THelp::ZorgVoorVenster() {
    if (!m_venster)
        m_venster = new THelpVenster;
    return *m_venster;
}

void THelp::Toon(const QUrl& pagina) {
    THelpVenster& venster = ZorgVoorVenster();
    if (!venster.ToonPagina(pagina) && !venster.ToonPagina(THelpVenster::StandaardPagina())) {
        messages().warning(GeenHelpTekst);
        return;
    }
    // An application-modal window blocks every window below it, a help window
    // too; only the newest modal window stays usable, so the help window
    // becomes one for as long as another is open.
    ZetModaliteit(AnderModaalVenster() ? Qt::ApplicationModal : Qt::NonModal);
    venster.show();
    venster.raise();
    venster.activateWindow();
}

void THelp::ZetModaliteit(Qt::WindowModality modaliteit) {
    if (m_venster->windowModality() == modaliteit)
        return;
    // Qt takes a new modality only when the window is shown again.
    const bool zichtbaar = m_venster->isVisible();
    m_venster->hide();
    m_venster->setWindowModality(modaliteit);
    if (zichtbaar)
        m_venster->show();
}

bool THelp::AnderModaalVenster() const {
    const QWidgetList vensters = QApplication::topLevelWidgets();
    return std::any_of(vensters.cbegin(), vensters.cend(), [this](const QWidget* venster) {
        return venster != m_venster && venster->isVisible() &&
               venster->windowModality() == Qt::ApplicationModal;
    });
}

bool THelp::HelpToets(QObject* ontvanger, const QKeyEvent& toets) {
    constexpr Qt::KeyboardModifiers Wijzigers =
        Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    // The window system hands the key to the window first and the window to
    // its focus widget; only the widget says which topic is meant.
    if (toets.key() != Qt::Key_F1 || (toets.modifiers() & Wijzigers) || !ontvanger->isWidgetType())
        return false;
    const auto* widget = static_cast<const QWidget*>(ontvanger);
    if (m_venster && widget->window() == m_venster)
        return false;
    if (!toets.isAutoRepeat()) {
        int context = helpContextOf(widget);
        if (context == 0)
            context = helpContextOf(QApplication::activeWindow());
        ToonContext(context);
    }
    return true;
}

void THelp::VensterVerborgen(const QWidget& venster) {
    if (!m_venster || &venster == m_venster || !venster.isWindow() ||
        venster.windowModality() != Qt::ApplicationModal ||
        m_venster->windowModality() != Qt::ApplicationModal)
        return;
    // Once the modal window that help was opened from has gone, a modal help
    // window would block the whole program. Decided after the window has
    // really gone: it is still hiding now.
    QTimer::singleShot(0, this, [this] {
        if (m_venster && !AnderModaalVenster())
            ZetModaliteit(Qt::NonModal);
    });
}

bool THelp::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        if (HelpToets(watched, *static_cast<QKeyEvent*>(event)))
            return true;
        break;
    case QEvent::Hide:
        if (watched->isWidgetType())
            VensterVerborgen(*static_cast<QWidget*>(watched));
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
