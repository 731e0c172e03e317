#pragma once

#include "model/Poules.h"

#include <QStringList>
#include <QStyleOptionTab>
#include <QWidget>

#include <vector>

class QKeyEvent;
class QShortcut;
class QTableWidget;
class QToolButton;

// The row of tabs of a pool tab control. QTabBar lays all its tabs out
// again after every single insertion, which makes a thousand pools take a
// second to fill; this strip takes all its captions at once, measures them
// once and draws only the tabs in view. Tabs that do not fit scroll with two arrow buttons at
// the right end (QTabBar's way, as it cannot wrap tabs onto several rows).
class TPouleTabBalk : public QWidget {
    Q_OBJECT

public:
    explicit TPouleTabBalk(QWidget* parent);

    // Replaces every tab and selects the first; reports no change.
    void ZetTabs(QStringList teksten);
    int count() const { return static_cast<int>(m_teksten.size()); }
    QString tabText(int index) const { return m_teksten.value(index); }
    // The selected tab, -1 when there is none.
    int currentIndex() const { return m_huidige; }
    // Selects a tab, scrolls it into view and reports the change.
    void setCurrentIndex(int index);
    // A tab's place in this strip; empty while it is scrolled out on the left.
    QRect tabRect(int index) const;
    int tabAt(QPoint punt) const;
    // The first tab shown at the left end.
    int EersteZichtbare() const { return m_eerste; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    QToolButton* LinksKnop;
    QToolButton* RechtsKnop;

Q_SIGNALS:
    void currentChanged(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    QStyleOptionTab TabOptie(int index) const;
    // Tells screen readers which tab has the focus.
    void MeldFocus();
    // Measures every tab once after the captions, font or style changed.
    void Meet() const;
    // The width left for tabs beside the scroll buttons.
    int Ruimte() const;
    void Schuif(int eerste);
    void MaakZichtbaar(int index);
    void PlaatsKnoppen();

    QStringList m_teksten;
    int m_huidige = -1;
    int m_eerste = 0;
    int m_zweef = -1; // the tab under the mouse
    // Left edges of the tabs from the first one on; one more for the end.
    mutable std::vector<int> m_randen;
    mutable int m_hoogte = 0;
    mutable bool m_gemeten = false;
};

// A tab control as the pool windows use it: one row of tabs over a single
// page that every tab shares; the owner fills the page for the selected tab.
class TPouleTabControl : public QWidget {
    Q_OBJECT

public:
    explicit TPouleTabControl(QWidget* parent);

    // Replaces every tab by "Poule 1" .. "Poule <aantal>" and selects the
    // first; reports no change.
    void ZetPoules(int aantal);
    int AantalTabs() const;
    QString TabTekst(int index) const;
    // The selected tab, -1 when there is none.
    int TabIndex() const;
    // Selects a tab without reporting a change, as a program's own choice.
    void ZetTabIndex(int index);
    // The page under the tabs, in this control's coordinates.
    QRect Pagina() const;
    // Ctrl+Tab and Ctrl+Shift+Tab select the next and the previous tab, round
    // the ends, as the user's choice. They work while the focus is in this
    // control, or anywhere in its window with Qt::WindowShortcut.
    void ZetSneltoetsBereik(Qt::ShortcutContext bereik);
    void WisselTab(int stap);

    TPouleTabBalk* TabBar() const { return m_tabBar; }

Q_SIGNALS:
    // The user chose another tab.
    void Change();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int TabHoogte() const;

    TPouleTabBalk* m_tabBar;
    QShortcut* m_volgende;
    QShortcut* m_vorige;
};

// Grids of the pool windows: four columns (the participant's index in the
// list, hidden; "Nr"; "Naam"; "Pos"). Rows are numbered as in a grid whose
// row 0 is the header, so grid row r is table row r - 1.
// The pool grids in the columns of Poules::TRijen: index, letter, name,
// position. The index is the window's own bookkeeping: it is kept with the
// letter's cell instead of in a column of its own, so that neither the eye
// nor a screen reader meets it; the grid shows the other three.
namespace PouleRooster {

void Init(QTableWidget* grid);
// The column of Poules::TRijen that the grid shows in `roosterKolom`.
int Kolom(int roosterKolom);
void PasKolombreedtesAan(QTableWidget* grid);
// Replaces the data rows; row 1 is then selected.
void Vul(QTableWidget* grid, const Poules::TRijen& rijen);
Poules::TRijen Rijen(const QTableWidget* grid);
int RowCount(const QTableWidget* grid);
int Row(const QTableWidget* grid);
void SelecteerRij(QTableWidget* grid, int rij);
QString Cel(const QTableWidget* grid, int kolom, int rij);
void ZetCel(QTableWidget* grid, int kolom, int rij, const QString& tekst);
// The list index of a row; -1 for no row.
int Index(const QTableWidget* grid, int rij);
// The first data row that holds list index `index`; -1 when none does.
int ZoekRij(const QTableWidget* grid, int index);

} // namespace PouleRooster
