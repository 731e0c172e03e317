#pragma once

#include <QString>

#include <memory>
#include <optional>

// Every message box, question, input box and file dialog of the program goes
// through the current MessageService. The program installs one on Qt's
// standard dialogs; tests install a scripted one that records what it was
// asked to show and returns queued answers. The interface uses no widget
// type, so the tournament model may report through it as well.
enum class Answer { Ok, Yes, No, Cancel };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageKind { Information, Warning, Error, Confirmation, Input, OpenFile, SaveFile };

struct FileDialogRequest {
    QString title;
    QString filter;         // "Description|*.ext|Other|*.*", as the windows write it
    QString directory;      // where the dialog starts; empty = the dialog's own choice
    QString fileName;       // proposed file name
    QString defaultSuffix;  // added when the user types a name without one
    bool mustExist = false; // open: path and file must exist
    int helpContext = 0;
};

class MessageService {
public:
    virtual ~MessageService() = default;

    // Information box with OK.
    virtual void information(const QString& text, int helpContext = 0) = 0;
    // Warning box with OK.
    virtual void warning(const QString& text, int helpContext = 0) = 0;
    // Error box with OK, for an internal inconsistency.
    virtual void error(const QString& text, int helpContext = 0) = 0;
    // Information box with OK and Cancel, for offering a way out; answers Ok or Cancel.
    virtual Answer informationOkCancel(const QString& text, int helpContext = 0) = 0;
    // Confirmation box with a question icon; answers Yes, No or Cancel.
    virtual Answer confirm(const QString& text, Buttons buttons, int helpContext = 0) = 0;
    // Yes/No question in an information box, where a window asks it that way;
    // answers Yes or No. A service without such a box asks it as confirm().
    virtual Answer informationYesNo(const QString& text, int helpContext = 0) {
        return confirm(text, Buttons::YesNo, helpContext);
    }
    // Input box; nothing when the user cancels.
    virtual std::optional<QString> input(const QString& caption, const QString& prompt,
                                         const QString& value) = 0;
    // File dialogs; an empty text when the user cancels.
    virtual QString openFile(const FileDialogRequest& request) = 0;
    virtual QString saveFile(const FileDialogRequest& request) = 0;
};

MessageService& messages();
// Installs a new service and returns the previous one.
std::unique_ptr<MessageService> setMessageService(std::unique_ptr<MessageService> service);
