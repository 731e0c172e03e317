#pragma once

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// Runs `werk` in a child process limited to `mb` megabytes of address space,
// so input that makes memory grow beyond all reason fails quickly; true when
// `werk` returned true. AddressSanitizer's shadow memory alone needs far more
// address space: there it runs without the limit.
template <class Werk> bool BinnenGeheugen([[maybe_unused]] rlim_t mb, Werk werk) {
#ifdef __SANITIZE_ADDRESS__
    return werk();
#else
    const pid_t kind = fork();
    if (kind == 0) {
        const rlimit grens{mb << 20, mb << 20};
        setrlimit(RLIMIT_AS, &grens);
        _exit(werk() ? 0 : 1); // std::bad_alloc ends the child as a failure
    }
    int status = 0;
    waitpid(kind, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
#endif
}
