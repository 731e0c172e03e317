#include "app/Application.h"

#include "export/WorkbookEngine.h"
#include "ui/QtMessageService.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QDesktopServices>
#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QTranslator>
#include <QUrl>
#include <QWidget>

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// The standard buttons and dialogs read in Dutch, whatever the desktop's
// language, because the whole program speaks Dutch.
void loadDutchQtTexts(QApplication& application) {
    auto* translator = new QTranslator(&application);
    if (translator->load(QStringLiteral("qtbase_nl"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
    else
        delete translator;
}

// The platform's sans-serif interface font at 8 points, the size every
// window's layout was designed for.
void setProgramFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    QApplication::setFont(font);
}

// A signal handler may only write to a file descriptor: the byte wakes the
// event loop, which does the rest.
int signaalPijp[2] = {-1, -1};

void signaalOntvangen(int) {
    const char teken = 1;
    [[maybe_unused]] const ssize_t geschreven = ::write(signaalPijp[1], &teken, 1);
}

// The participant, pools and knockout windows are plain widgets made windows;
// Qt would describe them to a screen reader as a filler inside something
// else. Dialogs and the main window already have a role of their own.
QAccessibleInterface* windowRole(const QString& className, QObject* object) {
    if (!object || !object->isWidgetType() ||
        className != QLatin1String(object->metaObject()->className()))
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (!widget->isWindow())
        return nullptr;
    const QMetaObject* qtClass = object->metaObject();
    while (qtClass && qtClass->className()[0] != 'Q')
        qtClass = qtClass->superClass();
    if (qtClass != &QWidget::staticMetaObject)
        return nullptr;
    return new QAccessibleWidget(widget, QAccessible::Window);
}

// A window that appears shows where the keyboard is at once: its first
// control has the focus, with the focus frame a style draws only after a key
// moved the focus. A click clears the frame again, as it always does.
class VisibleFocus : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Show || !watched->isWidgetType())
            return false;
        auto* window = static_cast<QWidget*>(watched);
        const Qt::WindowType type = window->windowType();
        if (!window->isWindow() || (type != Qt::Window && type != Qt::Dialog))
            return false;
        window->setAttribute(Qt::WA_KeyboardFocusChange);
        if (!window->focusWidget())
            focusFirstControl(window);
        return false;
    }

private:
    static void focusFirstControl(QWidget* window) {
        for (QWidget* w = window->nextInFocusChain(); w && w != window; w = w->nextInFocusChain())
            if (w->window() == window && (w->focusPolicy() & Qt::TabFocus) &&
                w->isVisibleTo(window) && w->isEnabled()) {
                w->setFocus(Qt::TabFocusReason);
                return;
            }
    }
};

} // namespace

void vangBeeindiging(QObject* ouder, std::function<void()> opEinde) {
    if (signaalPijp[0] < 0 &&
        ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signaalPijp) != 0)
        return;
    auto* melder = new QSocketNotifier(signaalPijp[0], QSocketNotifier::Read, ouder);
    QObject::connect(melder, &QSocketNotifier::activated, ouder, [opEinde = std::move(opEinde)] {
        char teken = 0;
        [[maybe_unused]] const ssize_t gelezen = ::read(signaalPijp[0], &teken, 1);
        opEinde();
    });
    struct sigaction actie {};
    actie.sa_handler = signaalOntvangen;
    sigemptyset(&actie.sa_mask);
    actie.sa_flags = SA_RESTART;
    for (const int signaal : {SIGTERM, SIGHUP, SIGINT})
        sigaction(signaal, &actie, nullptr);
}

void ignoreFileSizeSignal() {
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

void initialiseApplication(QApplication& application) {
    ignoreFileSizeSignal();
    QApplication::setApplicationName(QStringLiteral("Zegerooster"));
    // Lets the desktop match the windows to the installed entry and its icon.
    QApplication::setDesktopFileName(QStringLiteral(ZEGEROOSTER_APP_ID));
    setProgramFont();
    QAccessible::installFactory(windowRole);
    application.installEventFilter(new VisibleFocus(&application));
    loadDutchQtTexts(application);
    setMessageService(std::make_unique<QtMessageService>());
    // Exported workbooks open in the desktop's spreadsheet program.
    Spreadsheet::SetWorkbookOpener(
        [](const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); });
}
