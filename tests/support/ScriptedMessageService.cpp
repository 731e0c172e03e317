#include "ScriptedMessageService.h"

QStringList ScriptedMessageService::texts() const {
    QStringList result;
    for (const MessageCall& call : m_calls)
        result << call.text;
    return result;
}

void ScriptedMessageService::clear() {
    m_calls.clear();
    m_answers.clear();
    m_inputs.clear();
    m_fileNames.clear();
    m_unexpected = 0;
}

void ScriptedMessageService::record(MessageCall call) {
    m_calls.append(call);
    if (m_hook)
        m_hook(m_calls.last());
}

void ScriptedMessageService::information(const QString& text, int helpContext) {
    record({MessageKind::Information, text, helpContext, Buttons::Ok, {}});
}

void ScriptedMessageService::warning(const QString& text, int helpContext) {
    record({MessageKind::Warning, text, helpContext, Buttons::Ok, {}});
}

void ScriptedMessageService::error(const QString& text, int helpContext) {
    record({MessageKind::Error, text, helpContext, Buttons::Ok, {}});
}

Answer ScriptedMessageService::confirm(const QString& text, Buttons buttons, int helpContext) {
    record({MessageKind::Confirmation, text, helpContext, buttons, {}});
    return nextAnswer(buttons == Buttons::YesNo ? Answer::No : Answer::Cancel);
}

Answer ScriptedMessageService::informationOkCancel(const QString& text, int helpContext) {
    record({MessageKind::Information, text, helpContext, Buttons::OkCancel, {}});
    return nextAnswer(Answer::Cancel);
}

Answer ScriptedMessageService::informationYesNo(const QString& text, int helpContext) {
    record({MessageKind::Information, text, helpContext, Buttons::YesNo, {}});
    return nextAnswer(Answer::No);
}

Answer ScriptedMessageService::nextAnswer(Answer whenNoneQueued) {
    if (m_answers.empty()) {
        ++m_unexpected;
        return whenNoneQueued;
    }
    const Answer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

std::optional<QString> ScriptedMessageService::input(const QString& caption, const QString& prompt,
                                                     const QString& value) {
    FileDialogRequest details;
    details.title = caption;
    details.fileName = value;
    record({MessageKind::Input, prompt, 0, Buttons::Ok, details});
    if (m_inputs.empty()) {
        ++m_unexpected;
        return std::nullopt;
    }
    std::optional<QString> answer = m_inputs.front();
    m_inputs.pop_front();
    return answer;
}

QString ScriptedMessageService::nextFileName() {
    if (m_fileNames.empty()) {
        ++m_unexpected;
        return {};
    }
    const QString answer = m_fileNames.front();
    m_fileNames.pop_front();
    return answer;
}

QString ScriptedMessageService::openFile(const FileDialogRequest& request) {
    record({MessageKind::OpenFile, request.title, request.helpContext, Buttons::Ok, request});
    return nextFileName();
}

QString ScriptedMessageService::saveFile(const FileDialogRequest& request) {
    record({MessageKind::SaveFile, request.title, request.helpContext, Buttons::Ok, request});
    return nextFileName();
}

ScriptedMessages::ScriptedMessages() {
    auto service = std::make_unique<ScriptedMessageService>();
    m_service = service.get();
    m_previous = setMessageService(std::move(service));
}

ScriptedMessages::~ScriptedMessages() {
    setMessageService(std::move(m_previous));
}
