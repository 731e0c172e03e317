#pragma once

#include "model/MessageService.h"

// The program's MessageService: Qt's standard message boxes, input box and
// file dialogs, with the line breaks of the texts shown as line breaks and
// F1 in a box opening its help topic.
class QtMessageService : public MessageService {
public:
    void information(const QString& text, int helpContext = 0) override;
    void warning(const QString& text, int helpContext = 0) override;
    void error(const QString& text, int helpContext = 0) override;
    Answer informationOkCancel(const QString& text, int helpContext = 0) override;
    Answer confirm(const QString& text, Buttons buttons, int helpContext = 0) override;
    Answer informationYesNo(const QString& text, int helpContext = 0) override;
    std::optional<QString> input(const QString& caption, const QString& prompt,
                                 const QString& value) override;
    QString openFile(const FileDialogRequest& request) override;
    QString saveFile(const FileDialogRequest& request) override;
};

// Turns a filter written as "Description|*.ext|Other|*.*" into Qt's form
// "Description (*.ext);;Other (*.*)", keeping the descriptions as written.
QString qtFileFilter(const QString& filter);
