#pragma once

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>

#include <functional>

// Sends an accessibility event about child `kind` of `object` to QAccessible,
// and to the listener when one is set. Nothing is built while no screen
// reader listens. Qt's offscreen platform has no accessibility bridge and
// drops every event; tests listen here instead.
void MeldToegang(QObject* object, QAccessible::Event soort, int kind);
using TToegangLuisteraar = std::function<void(QAccessibleEvent&)>;
void ZetToegangLuisteraar(TToegangLuisteraar luisteraar);

// Screen-reader access to the parts a widget paints itself (the matches of
// a bracket, the tabs of a tab strip). The widget's interface hands out one
// child interface per part, made on first request and kept until the widget
// goes; a part is known by its index only, so it always reports the part's
// current state.
class TGeschilderdeToegang : public QAccessibleWidget {
public:
    TGeschilderdeToegang(QWidget* widget, QAccessible::Role rol);
    ~TGeschilderdeToegang() override;

    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* kind) const override;

protected:
    virtual QAccessibleInterface* MaakKind(int index) const = 0;

private:
    mutable QHash<int, QAccessible::Id> m_kinderen;
};

// One painted part: a child of the widget's interface, without an object of
// its own. A part that reacts to a click offers the press action.
class TGeschilderdDeel : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    TGeschilderdDeel(QWidget* widget, int index);

    QWidget* Widget() const { return m_widget; }
    int Index() const { return m_index; }

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType soort) override;

    QStringList actionNames() const override;
    void doAction(const QString& actie) override;
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

protected:
    // The part's place in the widget.
    virtual QRect LokaalRect() const = 0;
    virtual bool IsKlikbaar() const = 0;
    virtual bool HeeftFocus() const = 0;
    virtual void Klik() = 0;

private:
    QPointer<QWidget> m_widget;
    int m_index;
};
