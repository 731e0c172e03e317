// Times saving and reading a 4,096-participant tournament in stage 2 (pools
// of 8, best 4 to the winners' round, both brackets fully played), in
// memory, bracket views excluded, and the safe save of those bytes to a real
// file, synced to disk. Then, outside the clock, the peak of extra heap that
// saving and reading take, against the file's size. Exits non-zero only when
// the file does not read back to itself, never because of time or memory.
#include "bench/GrootToernooi.h"
#include "model/Bestand.h"
#include "model/Knockout.h"
#include "model/RandomSource.h"
#include "model/Toernooi.h"

#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

// Heap accounting for the memory figures: every allocation of the process,
// Qt's included, passes here. Counting is off while anything is timed. Only
// with glibc, and not under a sanitizer, which has its own allocator.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZEGEROOSTER_ASAN 1
#endif
#endif
#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__) && !defined(ZEGEROOSTER_ASAN)
#define HEAP_GETELD 1
#include <malloc.h>

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* block, size_t size);
void __libc_free(void* block);
}
#else
#define HEAP_GETELD 0
#endif

namespace {

bool telt = false;
long long inGebruik = 0;
long long piek = 0;

} // namespace

#if HEAP_GETELD
namespace {

void Erbij(void* blok) {
    if (telt && blok) {
        inGebruik += static_cast<long long>(malloc_usable_size(blok));
        piek = std::max(piek, inGebruik);
    }
}

void Eraf(void* blok) {
    if (telt && blok)
        inGebruik -= static_cast<long long>(malloc_usable_size(blok));
}

} // namespace

extern "C" {
void* malloc(size_t size) {
    void* blok = __libc_malloc(size);
    Erbij(blok);
    return blok;
}
void* calloc(size_t count, size_t size) {
    void* blok = __libc_calloc(count, size);
    Erbij(blok);
    return blok;
}
void* realloc(void* oud, size_t size) {
    Eraf(oud);
    void* blok = __libc_realloc(oud, size);
    // A failed realloc keeps the old block; a size of 0 freed it.
    Erbij(blok ? blok : size != 0 ? oud : nullptr);
    return blok;
}
void free(void* blok) {
    Eraf(blok);
    __libc_free(blok);
}
}
#endif

namespace {

constexpr int Herhalingen = 30;
double Meet(const std::function<void()>& stap) {
    const auto begin = std::chrono::steady_clock::now();
    stap();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin)
        .count();
}

struct Heap {
    long long piek = 0; // the highest use above the start
    long long eind = 0; // what is still in use at the end
};

Heap MeetHeap(const std::function<void()>& stap) {
    inGebruik = 0;
    piek = 0;
    telt = true;
    stap();
    telt = false;
    return {piek, inGebruik};
}

void Druk(const char* wat, std::vector<double> tijden, const char* doel) {
    std::sort(tijden.begin(), tijden.end());
    std::printf("%-58s median %8.2f ms  max %8.2f ms  (%s)\n", wat, tijden[tijden.size() / 2],
                tijden.back(), doel);
}

void DrukGeheugen(const char* wat, long long bytes, qsizetype bestandsgrootte) {
    if (!HEAP_GETELD) {
        std::printf("%-58s not counted in this build\n", wat);
        return;
    }
    std::printf("%-58s %8.2f MB = %.2f x the file  (target <= 2 x)\n", wat, bytes / 1e6,
                double(bytes) / double(bestandsgrootte));
}

} // namespace

int main() {
    auto vorige =
        setRandomSource(std::make_unique<ClockSeededRandomSource>([] { return std::uint64_t{7}; }));
    TToernooi toernooi;
    GrootToernooi::Maak(toernooi);
    QTemporaryDir map;

    std::vector<double> bewaren;
    std::vector<double> lezen;
    std::vector<double> schijf;
    bool goed = map.isValid();
    QByteArray bestand;
    const QString pad = map.filePath(QStringLiteral("toernooi.txt"));
    for (int h = 0; h < Herhalingen; ++h) {
        bewaren.push_back(Meet([&] { bestand = toernooi.Bewaar(); }));
        TToernooi geladen;
        std::optional<Toernooibestand::Leesfout> fout;
        lezen.push_back(Meet([&] { fout = Toernooibestand::Lees(bestand, geladen); }));
        goed = goed && !fout && geladen.Bewaar() == bestand;
        QString schrijffout;
        schijf.push_back(Meet([&] { schrijffout = Bestand::SchrijfVeilig(pad, bestand); }));
        goed = goed && schrijffout.isEmpty();
    }
    Druk("save a 4096-participant stage-2 tournament, played out", bewaren, "target < 30 ms");
    Druk("read it back into the model", lezen, "target < 30 ms");
    Druk("safe save of those bytes to a file, synced to disk", schijf, "disk-bound, no target");
    std::printf("%-58s %lld bytes%s\n", "file size", static_cast<long long>(bestand.size()),
                goed ? "" : "  WRONG RESULT");

    QByteArray opnieuw;
    const Heap bewaar = MeetHeap([&] { opnieuw = toernooi.Bewaar(); });
    DrukGeheugen("peak extra heap while saving, the bytes included", bewaar.piek, bestand.size());
    opnieuw.clear();
    TToernooi geladen;
    // What the loaded model keeps afterwards is the result, not extra.
    const Heap lees = MeetHeap([&] { Toernooibestand::Lees(bestand, geladen); });
    DrukGeheugen("peak extra heap while reading, the model excluded", lees.piek - lees.eind,
                 bestand.size());
    setRandomSource(std::move(vorige));
    return goed ? 0 : 1;
}
