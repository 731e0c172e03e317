#include "ModalDialogDriver.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

QList<QLineEdit*> editsInTabOrder(QWidget* dialog) {
    QList<QLineEdit*> edits;
    for (QWidget* w = dialog->nextInFocusChain(); w && w != dialog; w = w->nextInFocusChain()) {
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            edits << edit;
    }
    return edits;
}

} // namespace

ModalDialogDriver::ModalDialogDriver() {
    m_timer.setInterval(5);
    connect(&m_timer, &QTimer::timeout, this, &ModalDialogDriver::poll);
    m_timer.start();
}

ModalDialogDriver& ModalDialogDriver::then(Action action) {
    m_actions.push_back(std::move(action));
    return *this;
}

ModalDialogDriver& ModalDialogDriver::fillAndClick(const QStringList& texts,
                                                   const QString& button) {
    return then([this, texts, button](QWidget* dialog) {
        const QList<QLineEdit*> edits = editsInTabOrder(dialog);
        Seen seen{dialog->windowTitle(), {}, {}, dialog->isVisible()};
        for (QLineEdit* edit : edits)
            seen.edits << edit->text();
        if (auto* focus = qobject_cast<QLineEdit*>(dialog->focusWidget()))
            seen.focusSelection = focus->selectedText();
        m_seen << seen;
        for (qsizetype i = 0; i < texts.size() && i < edits.size(); ++i) {
            edits[i]->setFocus(Qt::MouseFocusReason);
            edits[i]->setText(texts[i]);
        }
        if (!button.isEmpty()) {
            if (auto* knop = dialog->findChild<QPushButton*>(button))
                QTest::mouseClick(knop, Qt::LeftButton);
        }
    });
}

void ModalDialogDriver::poll() {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog || !dialog->isVisible())
        return;
    if (m_actions.empty()) {
        ++m_unexpected;
        if (auto* qdialog = qobject_cast<QDialog*>(dialog))
            qdialog->reject();
        else
            dialog->close();
        return;
    }
    const Action action = std::move(m_actions.front());
    m_actions.pop_front();
    action(dialog);
}
