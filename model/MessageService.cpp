#include "model/MessageService.h"

#include <utility>

namespace {

// Until the program installs its dialogs, nobody is there to answer: every
// question is cancelled and every message goes unseen.
class UnattendedMessageService : public MessageService {
public:
    void information(const QString&, int) override {}
    void warning(const QString&, int) override {}
    void error(const QString&, int) override {}
    Answer informationOkCancel(const QString&, int) override { return Answer::Cancel; }
    Answer confirm(const QString&, Buttons buttons, int) override {
        return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
    std::optional<QString> input(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    QString openFile(const FileDialogRequest&) override { return {}; }
    QString saveFile(const FileDialogRequest&) override { return {}; }
};

std::unique_ptr<MessageService>& currentService() {
    static std::unique_ptr<MessageService> service = std::make_unique<UnattendedMessageService>();
    return service;
}

} // namespace

MessageService& messages() {
    return *currentService();
}

std::unique_ptr<MessageService> setMessageService(std::unique_ptr<MessageService> service) {
    return std::exchange(currentService(), std::move(service));
}
