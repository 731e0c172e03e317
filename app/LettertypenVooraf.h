#pragma once

#include <thread>

// Reads the system's font configuration on a second thread while Qt starts.
// The first text any window measures waits for that configuration, which
// takes as long as starting Qt itself; on a desktop, connecting to the
// display takes longer still, so the main window no longer waits for it.
//
// Start it before the application and call wacht() before the first
// window: the font database must not read the configuration a second time
// because this thread has not finished yet.
class TLettertypenVooraf {
public:
    TLettertypenVooraf();
    ~TLettertypenVooraf();
    TLettertypenVooraf(const TLettertypenVooraf&) = delete;
    TLettertypenVooraf& operator=(const TLettertypenVooraf&) = delete;

    void wacht();

private:
    std::thread m_draad;
};
