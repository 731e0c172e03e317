#include "knockout/KnockoutViewToegang.h"

#include "ui/GeschilderdeToegang.h"
#include "knockout/KnockoutView.h"
#include "model/Knockout.h"

namespace {

class TWedstrijdToegang : public TGeschilderdDeel {
public:
    TWedstrijdToegang(TKnockoutView* view, int index)
        : TGeschilderdDeel(view, index) {}

    QString text(QAccessible::Text soort) const override {
        const TKnockoutView* view = View();
        if (!view)
            return {};
        const TKnockoutView::Plaats plaats = view->PlaatsVanIndex(Index());
        if (soort == QAccessible::Name)
            return view->Omschrijving(plaats);
        if (soort == QAccessible::Description && view->IsKlikbaar(plaats))
            return plaats.IsKnop() ? QStringLiteral("Een andere deelnemer kiezen")
                                   : QStringLiteral("De eindstand invoeren");
        return {};
    }

    QAccessible::Role role() const override {
        const TKnockoutView* view = View();
        return view && view->IsKlikbaar(view->PlaatsVanIndex(Index())) ? QAccessible::Button
                                                                       : QAccessible::StaticText;
    }

protected:
    QRect LokaalRect() const override {
        const TKnockoutView* view = View();
        return view ? view->PlaatsRect(view->PlaatsVanIndex(Index())) : QRect();
    }
    bool IsKlikbaar() const override {
        const TKnockoutView* view = View();
        return view && view->IsKlikbaar(view->PlaatsVanIndex(Index()));
    }
    bool HeeftFocus() const override {
        const TKnockoutView* view = View();
        return view && view->hasFocus() && view->IndexVan(view->Cursor()) == Index();
    }
    void Klik() override {
        if (TKnockoutView* view = View())
            view->Activeer(view->PlaatsVanIndex(Index()));
    }

private:
    TKnockoutView* View() const { return static_cast<TKnockoutView*>(Widget()); }
};

class TKnockoutViewToegang : public TGeschilderdeToegang {
public:
    explicit TKnockoutViewToegang(TKnockoutView* view)
        : TGeschilderdeToegang(view, QAccessible::Pane) {}

    QString text(QAccessible::Text soort) const override {
        if (soort == QAccessible::Name)
            return View()->Knockout().KnockoutNr() == 1 ? QStringLiteral("Winnaarsronde")
                                                        : QStringLiteral("Verliezersronde");
        return TGeschilderdeToegang::text(soort);
    }
    int childCount() const override { return View()->AantalPlaatsen(); }
    QAccessibleInterface* focusChild() const override {
        if (!View()->hasFocus())
            return nullptr;
        return child(View()->IndexVan(View()->Cursor()));
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint punt = View()->mapFromGlobal(QPoint(x, y));
        return child(View()->IndexVan(View()->PlaatsOp(punt)));
    }

protected:
    QAccessibleInterface* MaakKind(int index) const override {
        return new TWedstrijdToegang(View(), index);
    }

private:
    TKnockoutView* View() const { return static_cast<TKnockoutView*>(widget()); }
};

QAccessibleInterface* Fabriek(const QString& klasse, QObject* object) {
    if (klasse == QLatin1String("TKnockoutView") && object && object->isWidgetType())
        return new TKnockoutViewToegang(static_cast<TKnockoutView*>(object));
    return nullptr;
}

} // namespace

void InstalleerKnockoutViewToegang() {
    static const bool geinstalleerd = [] {
        QAccessible::installFactory(Fabriek);
        return true;
    }();
    (void)geinstalleerd;
}
