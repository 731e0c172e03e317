#include "ui/QtMessageService.h"

#include "model/Text.h"
#include "ui/Help.h"
#include "ui/Icons.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QStringList>

namespace {

QWidget* dialogParent() {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

QStyle::StandardPixmap glyphOf(QMessageBox::Icon icon) {
    switch (icon) {
    case QMessageBox::Warning:
        return QStyle::SP_MessageBoxWarning;
    case QMessageBox::Critical:
        return QStyle::SP_MessageBoxCritical;
    case QMessageBox::Question:
        return QStyle::SP_MessageBoxQuestion;
    default:
        return QStyle::SP_MessageBoxInformation;
    }
}

// Qt shows the style's glyph, an image of 32 pixels, scaled up on a screen of
// more device pixels per pixel. The glyph is replaced in the box's own label,
// at the same size, so the box keeps its kind for a screen reader.
void sharpenIcon(QMessageBox& box) {
    auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgboxex_icon_label"));
    const qreal ratio =
        box.parentWidget() ? box.parentWidget()->devicePixelRatioF() : qApp->devicePixelRatio();
    if (!label || box.iconPixmap().isNull())
        return;
    const int size = qRound(box.iconPixmap().width() / box.iconPixmap().devicePixelRatio());
    label->setPixmap(meldingIcoon(glyphOf(box.icon()), size, ratio));
}

QMessageBox::StandardButton showBox(QMessageBox::Icon icon, const QString& text,
                                    QMessageBox::StandardButtons buttons, int helpContext) {
    QMessageBox box(icon, QApplication::applicationName(), Text::displayLineBreaks(text), buttons,
                    dialogParent());
    sharpenIcon(box);
    if (helpContext > 0)
        setHelpContext(&box, helpContext);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

Answer toAnswer(QMessageBox::StandardButton button) {
    switch (button) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Ok:
        return Answer::Ok;
    default:
        return Answer::Cancel;
    }
}

void prepareFileDialog(QFileDialog& dialog, const FileDialogRequest& request) {
    dialog.setWindowTitle(request.title);
    dialog.setNameFilter(qtFileFilter(request.filter));
    if (!request.directory.isEmpty())
        dialog.setDirectory(request.directory);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (request.helpContext > 0)
        setHelpContext(&dialog, request.helpContext);
}

QString runFileDialog(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

QString qtFileFilter(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = QString(parts.at(i + 1)).replace(u';', u' ');
        const QString& description = parts.at(i);
        const QString ownPatterns = QStringLiteral(" (") + patterns + u')';
        filters << (description.endsWith(ownPatterns.mid(1)) ? description
                                                             : description + ownPatterns);
    }
    return filters.join(QStringLiteral(";;"));
}

void QtMessageService::information(const QString& text, int helpContext) {
    showBox(QMessageBox::Information, text, QMessageBox::Ok, helpContext);
}

void QtMessageService::warning(const QString& text, int helpContext) {
    showBox(QMessageBox::Warning, text, QMessageBox::Ok, helpContext);
}

void QtMessageService::error(const QString& text, int helpContext) {
    showBox(QMessageBox::Critical, text, QMessageBox::Ok, helpContext);
}

Answer QtMessageService::informationOkCancel(const QString& text, int helpContext) {
    return toAnswer(showBox(QMessageBox::Information, text, QMessageBox::Ok | QMessageBox::Cancel,
                            helpContext));
}

Answer QtMessageService::confirm(const QString& text, Buttons buttons, int helpContext) {
    const QMessageBox::StandardButtons shown =
        buttons == Buttons::YesNoCancel ? QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel
        : buttons == Buttons::YesNo     ? QMessageBox::Yes | QMessageBox::No
                                        : QMessageBox::Ok;
    return toAnswer(showBox(QMessageBox::Question, text, shown, helpContext));
}

Answer QtMessageService::informationYesNo(const QString& text, int helpContext) {
    return toAnswer(
        showBox(QMessageBox::Information, text, QMessageBox::Yes | QMessageBox::No, helpContext));
}

std::optional<QString> QtMessageService::input(const QString& caption, const QString& prompt,
                                               const QString& value) {
    bool ok = false;
    const QString answer = QInputDialog::getText(
        dialogParent(), caption, Text::displayLineBreaks(prompt), QLineEdit::Normal, value, &ok);
    if (!ok)
        return std::nullopt;
    return answer;
}

QString QtMessageService::openFile(const FileDialogRequest& request) {
    QFileDialog dialog(dialogParent());
    prepareFileDialog(dialog, request);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    return runFileDialog(dialog);
}

QString QtMessageService::saveFile(const FileDialogRequest& request) {
    QFileDialog dialog(dialogParent());
    prepareFileDialog(dialog, request);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The callers ask their own overwrite question, in their own words.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    return runFileDialog(dialog);
}
