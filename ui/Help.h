#pragma once

#include <QObject>
#include <QPointer>

#include "ui/HelpVenster.h"

class QKeyEvent;
class QUrl;
class QWidget;
class THelpVenster;

// Help topics by context number, one per window or group of boxes.
namespace HelpContext {
constexpr int Hoofdvenster = 1000;
constexpr int Deelnemers = 1001;
constexpr int PouleIndeling = 1002;
constexpr int Poules = 1003;
constexpr int KnockoutIndeling = 1004;
constexpr int Knockout = 1005;
constexpr int Toernooibestand = 1006;
constexpr int Opties = 1007;
constexpr int PoulesWijzigen = 1008;
constexpr int Herstel = 1009;
constexpr int Afdrukken = 1010;
constexpr int Importeren = 1011;
constexpr int Presentatie = 1012;
constexpr int Banen = 1013;
} // namespace HelpContext

// Gives a window, control or message box its help topic.
void setHelpContext(QWidget* widget, int context);
// The help topic of a widget: its own, else that of the nearest parent
// that has one; 0 when none has.
int helpContextOf(const QWidget* widget);

// The program's help: Dutch pages built into the program, shown in one help
// window that the help system owns. While attached, F1 anywhere in the
// program opens the topic of the focused control's window.
class THelp : public QObject {
    Q_OBJECT

public:
    // Attaches to the application: from now on F1 opens help.
    explicit THelp(QObject* parent = nullptr);
    // Closes every help window and detaches.
    ~THelp() override;

    void ToonStandaard();          // the default topic
    void ToonContext(int context); // the topic of a context number
    void SluitAlles();             // closes every help window

    // The help window, or nothing while none has been opened.
    THelpVenster* Venster() const { return m_venster; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    THelpVenster& ZorgVoorVenster();
    void Toon(const QUrl& pagina);
    bool HelpToets(QObject* ontvanger, const QKeyEvent& toets);
    void VensterVerborgen(const QWidget& venster);
    void ZetModaliteit(Qt::WindowModality modaliteit);
    bool AnderModaalVenster() const;

    QPointer<THelpVenster> m_venster;
};
