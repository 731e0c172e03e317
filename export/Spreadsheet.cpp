#include "export/Spreadsheet.h"

#include "export/WorkbookEngine.h"

#include <utility>

namespace Spreadsheet {

Error::Error(QString message)
    : m_message(std::move(message))
    , m_utf8(m_message.toUtf8()) {}

namespace {

ApplicationFactory& currentFactory() {
    static ApplicationFactory factory = CreateWorkbookEngine;
    return factory;
}

std::function<void()>& currentBringToFront() {
    static std::function<void()> bringToFront;
    return bringToFront;
}

} // namespace

std::unique_ptr<Application> ObtainApplication(const QString& subject) {
    return currentFactory()(subject);
}

ApplicationFactory SetApplicationFactory(ApplicationFactory factory) {
    if (!factory)
        factory = CreateWorkbookEngine;
    return std::exchange(currentFactory(), std::move(factory));
}

void SetBringToFront(std::function<void()> bringToFront) {
    currentBringToFront() = std::move(bringToFront);
}

void BringToFront() {
    if (currentBringToFront())
        currentBringToFront()();
}

} // namespace Spreadsheet
