#include "app/LettertypenVooraf.h"

#include <dlfcn.h>

namespace {

// Qt's font database asks fontconfig, which is loaded with Qt already; a
// Qt without it has nothing to read ahead. Looked up at run time, so the
// program needs no fontconfig headers to build.
using FcInitFunctie = int (*)();

FcInitFunctie fontconfigInit() {
    void* bibliotheek = dlopen("libfontconfig.so.1", RTLD_NOW | RTLD_NOLOAD);
    if (!bibliotheek)
        return nullptr;
    auto* functie = reinterpret_cast<FcInitFunctie>(dlsym(bibliotheek, "FcInit"));
    // The library stays loaded through Qt; this handle only counted it once more.
    dlclose(bibliotheek);
    return functie;
}

} // namespace

TLettertypenVooraf::TLettertypenVooraf() {
    if (FcInitFunctie init = fontconfigInit())
        m_draad = std::thread(init);
}

TLettertypenVooraf::~TLettertypenVooraf() {
    wacht();
}

void TLettertypenVooraf::wacht() {
    if (m_draad.joinable())
        m_draad.join();
}
