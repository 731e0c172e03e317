#include "app/Application.h"

#include "app/QtMessageService.h"
#include "export/WorkbookEngine.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QDesktopServices>
#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QTranslator>
#include <QUrl>
#include <QWidget>

#include <csignal>

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

} // namespace

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
    loadDutchQtTexts(application);
    setMessageService(std::make_unique<QtMessageService>());
    // Exported workbooks open in the desktop's spreadsheet program.
    Spreadsheet::SetWorkbookOpener(
        [](const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); });
}
