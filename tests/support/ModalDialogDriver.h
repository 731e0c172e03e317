#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <deque>
#include <functional>

// Plays the user in front of modal dialogs: queued actions run, one per
// poll, on whatever modal dialog is open, so code that runs a dialog (even
// again and again) can be driven from a test. A dialog that opens when no
// action is left is rejected and counted, so a faulty test fails instead of
// hanging.
class ModalDialogDriver : public QObject {
    Q_OBJECT

public:
    using Action = std::function<void(QWidget* dialog)>;

    // What a dialog showed when an action came to it.
    struct Seen {
        QString title;
        QStringList edits;      // texts of its line edits, in tab order
        QString focusSelection; // selected text of the line edit with the focus
        bool visible = false;
    };

    ModalDialogDriver();

    ModalDialogDriver& then(Action action);
    // Notes what the dialog shows, clicks into its line edits (in tab order)
    // replacing their texts, then clicks the button with this object name.
    ModalDialogDriver& fillAndClick(const QStringList& texts, const QString& button);
    ModalDialogDriver& click(const QString& button) { return fillAndClick({}, button); }
    // Only notes what the dialog shows.
    ModalDialogDriver& look() { return fillAndClick({}, {}); }

    const QList<Seen>& seen() const { return m_seen; }
    int pending() const { return static_cast<int>(m_actions.size()); }
    int unexpected() const { return m_unexpected; }

private:
    void poll();

    QTimer m_timer;
    std::deque<Action> m_actions;
    QList<Seen> m_seen;
    int m_unexpected = 0;
};
