#pragma once

#include "model/MessageService.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <optional>

// A MessageService for tests: it records every call and answers from queues.
// A question without a queued answer is a test fault: it is recorded and
// answered with Cancel (or No), and `unexpected` counts it.
struct MessageCall {
    MessageKind kind;
    QString text;
    int helpContext = 0;
    Buttons buttons = Buttons::Ok;
    FileDialogRequest file;
};

class ScriptedMessageService : public MessageService {
public:
    // Answers for confirm() and informationOkCancel(), in order.
    void queueAnswer(Answer answer) { m_answers.push_back(answer); }
    // Answers for input(); nothing = the user cancels.
    void queueInput(std::optional<QString> value) { m_inputs.push_back(std::move(value)); }
    // Answers for openFile() and saveFile(); empty = the user cancels.
    void queueFileName(const QString& fileName) { m_fileNames.push_back(fileName); }
    // Runs while a message or question is "on screen", e.g. to check state.
    void onEveryCall(std::function<void(const MessageCall&)> hook) { m_hook = std::move(hook); }

    const QList<MessageCall>& calls() const { return m_calls; }
    QStringList texts() const;
    int unexpected() const { return m_unexpected; }
    bool allAnswersUsed() const {
        return m_answers.empty() && m_inputs.empty() && m_fileNames.empty();
    }
    void clear();

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

private:
    void record(MessageCall call);
    Answer nextAnswer(Answer whenNoneQueued);
    QString nextFileName();

    QList<MessageCall> m_calls;
    std::deque<Answer> m_answers;
    std::deque<std::optional<QString>> m_inputs;
    std::deque<QString> m_fileNames;
    std::function<void(const MessageCall&)> m_hook;
    int m_unexpected = 0;
};

// Installs a fresh ScriptedMessageService for the lifetime of the guard.
class ScriptedMessages {
public:
    ScriptedMessages();
    ~ScriptedMessages();
    ScriptedMessages(const ScriptedMessages&) = delete;
    ScriptedMessages& operator=(const ScriptedMessages&) = delete;
    ScriptedMessageService* operator->() { return m_service; }
    ScriptedMessageService& operator*() { return *m_service; }

private:
    ScriptedMessageService* m_service;
    std::unique_ptr<MessageService> m_previous;
};
