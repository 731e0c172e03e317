#pragma once

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// Runs `werk` in a child process whose address space is limited to `mb`
// megabytes, so that input which makes memory grow beyond all reason fails
// the test quickly instead of swapping the machine; true when `werk`
// returned true. Under AddressSanitizer, whose shadow memory alone needs
// terabytes of address space, it runs without the limit.
template <class Werk> bool BinnenGeheugen(rlim_t mb, Werk werk) {
#if defined(__SANITIZE_ADDRESS__)
    return werk();
#else
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
    return werk();
#endif
#endif
    const pid_t kind = fork();
    if (kind == 0) {
        const rlimit grens{mb << 20, mb << 20};
        setrlimit(RLIMIT_AS, &grens);
        bool goed = false;
        try {
            goed = werk();
        } catch (...) {
        }
        _exit(goed ? 0 : 1);
    }
    int status = 0;
    waitpid(kind, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
#endif
}
