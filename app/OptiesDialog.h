#pragma once

#include <QDialog>

// The options dialog: the templates and start cell of the exports.
class TOptiesDialog : public QDialog {
    Q_OBJECT

public:
    explicit TOptiesDialog(QWidget* owner);

    // Shows the values for change; true when the user chose OK.
    bool Wijzig(const QString& pouleSjabloon, const QString& knockoutSjabloon, int beginKolom,
                int beginRij);

    QString PouleSjabloon() const { return m_pouleSjabloon; }
    QString KnockoutSjabloon() const { return m_knockoutSjabloon; }
    int BeginRij() const { return m_beginRij; }
    int BeginKolom() const { return m_beginKolom; }

private:
    QString m_pouleSjabloon;
    QString m_knockoutSjabloon;
    int m_beginRij = 5;
    int m_beginKolom = 1;
};
