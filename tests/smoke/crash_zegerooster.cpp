// The real program, killed. The organiser's input reaches it only as key
// presses and mouse clicks on a virtual X display (the XTest extension); the
// program is killed with SIGKILL, started again, the recovery question is
// answered "Ja", and the restored tournament, saved through the save dialog,
// is compared with what was typed.
//   crash_zegerooster herstel <zegerooster>   killed after an autosave
//   crash_zegerooster midden <zegerooster>    killed in the middle of one
//   crash_zegerooster tweede <zegerooster>    killed after a second copy ran
// Every run has home and XDG folders of its own: no user data is touched.
// Every wait has a time limit inside the ctest timeout, and the program never
// outlives the test.
#include "X11Program.h"

#include <X11/XKBlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/ptrace.h>
#include <sys/syscall.h>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using namespace x11program;
using Clock = std::chrono::steady_clock;

// For one window, file or exit: generous for a sanitizer build, and every
// test's waits together stay well inside the ctest timeout.
constexpr auto tijdslimiet = 40s;
constexpr auto peilpauze = 20ms;

struct Fout : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Whether the program the test waits on has ended: a wait then fails at once.
std::function<bool()> programmaGestopt;

// Waits until `klaar` returns something true and returns that; fails after
// the time limit.
template <class Voorwaarde> auto wachtOp(const std::string& wat, Voorwaarde klaar) {
    for (const auto einde = Clock::now() + tijdslimiet; Clock::now() < einde;) {
        if (auto resultaat = klaar())
            return resultaat;
        if (programmaGestopt && programmaGestopt())
            throw Fout("Zegerooster ended while the test waited for " + wat);
        std::this_thread::sleep_for(peilpauze);
    }
    throw Fout("timed out waiting for " + wat);
}

std::string leesBestand(const fs::path& pad) {
    std::ifstream bestand(pad, std::ios::binary);
    std::ostringstream inhoud;
    inhoud << bestand.rdbuf();
    return inhoud.str();
}

// ------------------------------------------------------------ tournament files

// What the tests compare of a tournament file: the stage, the names and the
// scores of the winners' first round, in match order.
struct Toernooi {
    int stage = -1;
    std::vector<std::string> namen;
    std::vector<std::pair<int, int>> eersteRonde;
    bool operator==(const Toernooi&) const = default;
};

std::optional<Toernooi> lees(const std::string& inhoud) {
    std::vector<std::string> r;
    for (std::size_t begin = 0, eind; (eind = inhoud.find("\r\n", begin)) != std::string::npos;
         begin = eind + 2)
        r.push_back(inhoud.substr(begin, eind - begin));
    if (r.size() < 3 || r[0] != "#Programmastatus")
        return std::nullopt;
    Toernooi t;
    t.stage = std::atoi(r[1].c_str());
    std::size_t i = 2;
    for (; i + 6 < r.size() && r[i] == "#Deelnemer"; i += 6)
        t.namen.push_back(r[i + 1] + ' ' + r[i + 2]);
    if (i + 1 < r.size() && r[i] == "#Winnaarsronde" && r[i + 1] == "-Ronde")
        for (i += 2; i + 4 < r.size() && r[i] != "-Ronde" && !r[i].starts_with('#'); i += 4)
            t.eersteRonde.emplace_back(std::atoi(r[i + 1].c_str()), std::atoi(r[i + 3].c_str()));
    if (std::find(r.begin() + static_cast<long>(i), r.end(), "#Einde") == r.end())
        return std::nullopt; // not written to the end
    std::sort(t.namen.begin(), t.namen.end());
    return t;
}

// A recovery file is a tournament file with lines after its end.
std::string totHetEinde(const std::string& herstelbestand) {
    const std::string einde = "\r\n#Einde\r\n";
    const std::size_t plek = herstelbestand.find(einde);
    if (plek == std::string::npos)
        throw Fout("a recovery file without an end");
    return herstelbestand.substr(0, plek + einde.size());
}

bool isVersie(const std::string& naam) {
    return naam.starts_with("herstel-") && naam.ends_with(".txt");
}

// The recovery versions in a folder and its subfolders, oldest first.
std::vector<fs::path> versies(const fs::path& map) {
    std::vector<fs::path> gevonden;
    std::error_code fout;
    for (fs::recursive_directory_iterator it(map, fout), einde; !fout && it != einde;
         it.increment(fout))
        if (isVersie(it->path().filename().string()))
            gevonden.push_back(it->path());
    std::sort(gevonden.begin(), gevonden.end());
    return gevonden;
}

// ------------------------------------------------------------ the X display

// The keyboard and the mouse of the virtual display, and what a window
// manager would do: give the keyboard focus to a window.
class Scherm {
public:
    enum Toetsen : unsigned { Shift = 1, Alt = 2 };

    Scherm()
        : d(XOpenDisplay(nullptr)) {
        if (!d)
            throw Fout("cannot open the X display");
        int gebeurtenis = 0, fout = 0, hoofd = 0, sub = 0;
        if (!XTestQueryExtension(d, &gebeurtenis, &fout, &hoofd, &sub))
            throw Fout("the X server has no XTest extension");
    }
    ~Scherm() { XCloseDisplay(d); }
    Scherm(const Scherm&) = delete;
    Scherm& operator=(const Scherm&) = delete;

    Window wortel() const { return DefaultRootWindow(d); }

    Window wachtOpVenster(const std::string& titel, const std::function<bool(Window)>& keuze = {},
                          const std::string& soort = "window") {
        return wachtOp("a " + soort + " titled " + titel,
                       [&] { return findShownWindow(d, wortel(), titel, keuze); });
    }

    // The shown window with this title, with the keyboard focus.
    Window activeer(const std::string& titel, const std::function<bool(Window)>& keuze = {},
                    const std::string& soort = "window") {
        const Window venster = wachtOpVenster(titel, keuze, soort);
        XSelectInput(d, venster, StructureNotifyMask); // for wachtTotWeg
        XSetInputFocus(d, venster, RevertToParent, CurrentTime);
        wachtOp("the keyboard focus on " + titel, [&] {
            Window focus = 0;
            int terug = 0;
            XGetInputFocus(d, &focus, &terug);
            return focus == venster;
        });
        return venster;
    }

    // After the key that closes an activated window: until it is hidden.
    void wachtTotWeg(Window venster) {
        wachtOp("a window to close", [&] {
            XEvent gebeurtenis;
            return XCheckTypedWindowEvent(d, venster, UnmapNotify, &gebeurtenis) ||
                   XCheckTypedWindowEvent(d, venster, DestroyNotify, &gebeurtenis);
        });
    }

    void toets(KeySym symbool, unsigned toetsen = 0) {
        const KeyCode code = XKeysymToKeycode(d, symbool);
        if (!code)
            throw Fout("no key for keysym " + std::to_string(symbool));
        if (XkbKeycodeToKeysym(d, code, 0, 0) != symbool)
            toetsen |= Shift;
        std::vector<KeyCode> extra;
        if (toetsen & Shift)
            extra.push_back(XKeysymToKeycode(d, XK_Shift_L));
        if (toetsen & Alt)
            extra.push_back(XKeysymToKeycode(d, XK_Alt_L));
        for (KeyCode toets : extra)
            XTestFakeKeyEvent(d, toets, True, CurrentTime);
        XTestFakeKeyEvent(d, code, True, CurrentTime);
        XTestFakeKeyEvent(d, code, False, CurrentTime);
        for (auto it = extra.rbegin(); it != extra.rend(); ++it)
            XTestFakeKeyEvent(d, *it, False, CurrentTime);
        XSync(d, False);
    }

    // Printable ASCII: its keysyms are its character codes.
    void typ(const std::string& tekst) {
        for (char teken : tekst)
            toets(static_cast<unsigned char>(teken));
    }

    void klik(Window venster, int x, int y) {
        int wortelX = 0, wortelY = 0;
        Window kind = 0;
        XTranslateCoordinates(d, venster, wortel(), x, y, &wortelX, &wortelY, &kind);
        XTestFakeMotionEvent(d, -1, wortelX, wortelY, CurrentTime);
        XTestFakeButtonEvent(d, 1, True, CurrentTime);
        XTestFakeButtonEvent(d, 1, False, CurrentTime);
        XSync(d, False);
    }

    void vraagTeSluiten(Window venster) { askToClose(d, venster); }

    bool isTransient(Window venster) const {
        Window voor = 0;
        return XGetTransientForHint(d, venster, &voor) != 0;
    }

    Display* const d;
};

// ------------------------------------------------------------ the program

// One run of the program, killed and collected however the test ends.
class Programma {
public:
    explicit Programma(const std::string& pad)
        : m_argumenten{const_cast<char*>(pad.c_str()), nullptr}
        , m_pid(start(m_argumenten)) {
        if (m_pid < 0)
            throw Fout("cannot start a process");
        programmaGestopt = [pid = m_pid] {
            siginfo_t info{};
            return waitid(P_PID, pid, &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
                   info.si_pid == pid;
        };
    }
    ~Programma() {
        programmaGestopt = nullptr;
        if (m_pid > 0)
            stop(m_pid);
    }
    Programma(const Programma&) = delete;
    Programma& operator=(const Programma&) = delete;

    void dood() {
        programmaGestopt = nullptr;
        kill(m_pid, SIGKILL);
        int status = 0;
        waitpid(m_pid, &status, 0);
        m_pid = 0;
        if (!WIFSIGNALED(status) || WTERMSIG(status) != SIGKILL)
            throw Fout("Zegerooster ended before the kill, with " + describe(status));
    }

    // Fails unless the program ends with exit code 0.
    void wachtOpSchoonEinde() {
        programmaGestopt = nullptr;
        const int status =
            wachtOp("Zegerooster to end", [&] { return endedStatus(m_pid); }).value();
        m_pid = 0;
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
            throw Fout("Zegerooster ended with " + describe(status));
    }

private:
    char* m_argumenten[2];
    pid_t m_pid;
};

// A run of the program in which every system call stops until this test has
// looked at it (ptrace, from a thread of its own, since the program waits at
// every call). The program is killed at the entry of the call that would put
// its n-th recovery version under its name: the version is written, but not
// yet in place.
class GevolgdProgramma {
public:
    GevolgdProgramma(const std::string& pad, int dodelijkeVersie)
        : m_pad(pad)
        , m_dodelijkeVersie(dodelijkeVersie)
        , m_volger([this] { Volg(); }) {
        programmaGestopt = [this] {
            if (m_geenPtrace)
                throw Fout("the system does not let this test follow the program (ptrace)");
            return m_einde.load();
        };
    }
    ~GevolgdProgramma() {
        programmaGestopt = nullptr;
        m_stoppen = true; // also for a program that the thread is only starting
        if (const pid_t pid = m_pid.load(); pid > 0 && !m_einde)
            kill(pid, SIGKILL);
        m_volger.join();
    }
    GevolgdProgramma(const GevolgdProgramma&) = delete;
    GevolgdProgramma& operator=(const GevolgdProgramma&) = delete;

    // Until the program has been killed as planned and collected.
    void wachtOpDood() {
        programmaGestopt = nullptr;
        wachtOp("the autosave to put its version in place, where the test kills it",
                [&] { return m_einde.load(); });
        if (!m_gedood)
            throw Fout("Zegerooster ended by itself, before the planned kill");
    }

private:
    void Volg() {
        char* argumenten[] = {const_cast<char*>(m_pad.c_str()), nullptr};
        const pid_t pid = start(argumenten, [] {
            if (ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) != 0)
                _exit(GeenPtrace);
        });
        m_pid = pid;
        if (m_stoppen && pid > 0)
            kill(pid, SIGKILL);
        int status = 0;
        // The first stop is the one after exec.
        if (pid < 0 || waitpid(pid, &status, __WALL) != pid || !WIFSTOPPED(status)) {
            m_geenPtrace = pid > 0 && WIFEXITED(status) && WEXITSTATUS(status) == GeenPtrace;
            m_einde = true;
            return;
        }
        // PTRACE_O_EXITKILL: should this thread end first, so does the program.
        ptrace(PTRACE_SETOPTIONS, pid, nullptr,
               PTRACE_O_TRACESYSGOOD | PTRACE_O_TRACECLONE | PTRACE_O_TRACEEXEC |
                   PTRACE_O_EXITKILL);
        ptrace(PTRACE_SYSCALL, pid, nullptr, nullptr);
        for (pid_t draad; (draad = waitpid(-1, &status, __WALL)) > 0;) {
            if (!WIFSTOPPED(status)) {
                if (draad == pid)
                    m_einde = true;
                continue;
            }
            int signaal = WSTOPSIG(status);
            if (signaal == (SIGTRAP | 0x80) && IsDodelijk(draad)) {
                m_gedood = true;
                kill(pid, SIGKILL);
                continue;
            }
            // System call stops, event stops and the first stop of a new
            // thread are the tracer's; any other signal goes on to the program.
            if (signaal == (SIGTRAP | 0x80) || signaal == SIGSTOP || (status >> 16) != 0)
                signaal = 0;
            ptrace(PTRACE_SYSCALL, draad, nullptr, signaal);
        }
        m_einde = true;
    }

    // At the entry of a rename or link whose target is a recovery version.
    bool IsDodelijk(pid_t draad) {
        __ptrace_syscall_info info{};
        if (ptrace(PTRACE_GET_SYSCALL_INFO, draad, sizeof info, &info) <= 0 ||
            info.op != PTRACE_SYSCALL_INFO_ENTRY)
            return false;
        std::uint64_t doel = 0;
        switch (info.entry.nr) {
#ifdef SYS_rename
        case SYS_rename:
        case SYS_link:
            doel = info.entry.args[1];
            break;
#endif
        case SYS_renameat:
        case SYS_renameat2:
        case SYS_linkat:
            doel = info.entry.args[3];
            break;
        default:
            return false;
        }
        const std::string naam = fs::path(LeesTekst(draad, doel)).filename().string();
        return isVersie(naam) && ++m_versies == m_dodelijkeVersie;
    }

    static std::string LeesTekst(pid_t draad, std::uint64_t adres) {
        const int geheugen = open(("/proc/" + std::to_string(draad) + "/mem").c_str(), O_RDONLY);
        std::string tekst;
        char deel[64];
        for (ssize_t gelezen; geheugen >= 0 && tekst.size() < 4096 &&
                              (gelezen = pread(geheugen, deel, sizeof deel,
                                               static_cast<off_t>(adres + tekst.size()))) > 0;) {
            const auto nul = std::find(deel, deel + gelezen, '\0');
            tekst.append(deel, nul);
            if (nul != deel + gelezen)
                break;
        }
        if (geheugen >= 0)
            close(geheugen);
        return tekst;
    }

    static constexpr int GeenPtrace = 125; // the child's exit code

    const std::string m_pad;
    const int m_dodelijkeVersie;
    int m_versies = 0;
    std::atomic<pid_t> m_pid{0};
    std::atomic<bool> m_gedood{false};
    std::atomic<bool> m_einde{false};
    std::atomic<bool> m_stoppen{false};
    std::atomic<bool> m_geenPtrace{false};
    std::thread m_volger; // last: it starts at once
};

// ------------------------------------------------------------ the organiser

const std::vector<std::pair<std::string, std::string>> Deelnemers{
    {"Anna", "de Vries"}, {"Bram", "Jansen"}, {"Carla", "Smit"}, {"Daan", "Bakker"}};

// The main window is the window titled Zegerooster that belongs to no other.
Window hoofdvenster(Scherm& scherm) {
    return scherm.wachtOpVenster("Zegerooster", [&](Window w) { return !scherm.isTransient(w); });
}

// The key that closes a window, and the wait until it has gone.
void sluit(Scherm& scherm, Window venster, KeySym toets, unsigned toetsen = 0) {
    scherm.toets(toets, toetsen);
    scherm.wachtTotWeg(venster);
}

// "&Deelnemers", then Enter on the empty row: the participant dialog.
void openDeelnemerdialoog(Scherm& scherm) {
    scherm.activeer("Zegerooster", [&](Window w) { return !scherm.isTransient(w); });
    scherm.toets(XK_d, Scherm::Alt);
    scherm.activeer("Deelnemers invoeren");
    scherm.toets(XK_Return);
}

// One name in the participant dialog, which opens again after it.
void voerDeelnemerIn(Scherm& scherm, const std::pair<std::string, std::string>& naam) {
    const Window dialoog = scherm.activeer("Nieuwe deelnemer");
    scherm.typ(naam.first);
    scherm.toets(XK_Tab);
    scherm.typ(naam.second);
    sluit(scherm, dialoog, XK_Return);
}

// Types a score in the score dialog of the match under the bracket's cursor.
void voerUitslagIn(Scherm& scherm, const std::string& uitslag) {
    scherm.toets(XK_Return);
    const Window dialoog = scherm.activeer("Eindstand");
    scherm.typ(uitslag); // "-" moves on to the lower score
    sluit(scherm, dialoog, XK_Return);
    scherm.activeer("Knockout");
}

// Starts the program again, answers "Ja" to the recovery question, saves the
// restored tournament through the save dialog and closes the program; what
// was saved.
std::string herstelEnBewaar(Scherm& scherm, const std::string& programma, const fs::path& map) {
    Programma opnieuw(programma);
    const Window hoofd = hoofdvenster(scherm);
    const Window vraag = scherm.activeer(
        "Zegerooster", [&](Window w) { return scherm.isTransient(w); },
        "message box (the recovery question)");
    sluit(scherm, vraag, XK_j, Scherm::Alt); // "&Ja"
    scherm.klik(hoofd, 56 + 12, 8 + 12);     // "Bewaar toernooi"
    const Window dialoog = scherm.activeer("Toernooi bewaren");
    const fs::path bewaard = map / "bewaard.txt";
    scherm.typ(bewaard.string());
    sluit(scherm, dialoog, XK_Return);
    wachtOp("the saved file", [&] { return fs::exists(bewaard); });
    scherm.vraagTeSluiten(hoofd); // saved: no question
    opnieuw.wachtOpSchoonEinde();
    return leesBestand(bewaard);
}

void vergelijk(const std::string& bewaard, const std::string& verwacht, const Toernooi& ingevoerd) {
    if (bewaard != totHetEinde(verwacht))
        throw Fout("the restored tournament, saved, differs from the recovery version:\n" +
                   bewaard + "\n---\n" + verwacht);
    if (lees(bewaard) != ingevoerd)
        throw Fout("the restored tournament differs from what was typed:\n" + bewaard);
}

// Four participants and a direct knockout with two scores, typed; killed
// once the autosave holds both scores.
void herstelNaCrash(Scherm& scherm, const std::string& programma, const fs::path& map) {
    Toernooi ingevoerd{3, {}, {{3, 1}, {0, 2}}};
    for (const auto& [voornaam, achternaam] : Deelnemers)
        ingevoerd.namen.push_back(voornaam + ' ' + achternaam);
    std::sort(ingevoerd.namen.begin(), ingevoerd.namen.end());

    Programma eerste(programma);
    openDeelnemerdialoog(scherm);
    for (const auto& naam : Deelnemers)
        voerDeelnemerIn(scherm, naam);
    // A window only takes the focus once the dialog before it has gone: a
    // focus that comes while the dialog still blocks it goes back to the dialog.
    sluit(scherm, scherm.activeer("Nieuwe deelnemer"), XK_Escape);
    scherm.activeer("Deelnemers invoeren");
    scherm.toets(XK_p, Scherm::Alt);                                     // "&Poules -->"
    sluit(scherm, scherm.activeer("Poule-indeling"), XK_d, Scherm::Alt); // "&Direct naar knockout"
    scherm.activeer("Knockout");
    scherm.toets(XK_Tab); // from the tabs into the bracket, its cursor on match 1
    voerUitslagIn(scherm, "3-1");
    scherm.toets(XK_Down);
    voerUitslagIn(scherm, "0-2");

    const std::string herstelbestand =
        wachtOp("an autosave with both scores", [&] {
            const auto alle = versies(map);
            std::optional<std::string> inhoud;
            if (!alle.empty() && lees(leesBestand(alle.back())) == ingevoerd)
                inhoud = leesBestand(alle.back());
            return inhoud;
        }).value();
    eerste.dood();

    vergelijk(herstelEnBewaar(scherm, programma, map), herstelbestand, ingevoerd);
}

// One participant, autosaved; a second, whose autosave is killed before it
// is in place: the first version stays whole and is the one restored.
void crashTijdensAutosave(Scherm& scherm, const std::string& programma, const fs::path& map) {
    std::string eersteVersie;
    fs::path eerstePad;
    {
        GevolgdProgramma gevolgd(programma, 2);
        openDeelnemerdialoog(scherm);
        voerDeelnemerIn(scherm, Deelnemers[0]);
        const auto alle = wachtOp("the first autosave", [&] {
                              const auto gevonden = versies(map);
                              return gevonden.size() == 1 ? std::optional(gevonden) : std::nullopt;
                          }).value();
        eerstePad = alle.front();
        eersteVersie = leesBestand(eerstePad);
        voerDeelnemerIn(scherm, Deelnemers[1]);
        gevolgd.wachtOpDood();
    }
    if (versies(map) != std::vector{eerstePad} || leesBestand(eerstePad) != eersteVersie)
        throw Fout("the kill during the autosave touched the recovery versions");
    const Toernooi ingevoerd{0, {Deelnemers[0].first + ' ' + Deelnemers[0].second}, {}};
    vergelijk(herstelEnBewaar(scherm, programma, map), eersteVersie, ingevoerd);
}

// Three participants, autosaved; a second copy, started meanwhile as a
// double-click on a tournament file does, asks nothing and is closed; the
// first copy, killed afterwards, is the one offered at the next start.
void tweedeKopie(Scherm& scherm, const std::string& programma, const fs::path& map) {
    Toernooi ingevoerd{0, {}, {}};
    Programma eerste(programma);
    const Window eersteHoofd = hoofdvenster(scherm);
    openDeelnemerdialoog(scherm);
    for (std::size_t i = 0; i < 3; ++i) {
        voerDeelnemerIn(scherm, Deelnemers[i]);
        ingevoerd.namen.push_back(Deelnemers[i].first + ' ' + Deelnemers[i].second);
    }
    sluit(scherm, scherm.activeer("Nieuwe deelnemer"), XK_Escape);
    std::sort(ingevoerd.namen.begin(), ingevoerd.namen.end());
    wachtOp("an autosave with three participants", [&] {
        const auto alle = versies(map);
        return !alle.empty() && lees(leesBestand(alle.back())) == ingevoerd;
    });
    {
        Programma tweede(programma);
        // The first copy's controls carry the program's name as well: the
        // second's main window is a window of the screen itself.
        const Window hoofd = scherm.wachtOpVenster("Zegerooster", [&](Window w) {
            Window wortel = 0, ouder = 0, *kinderen = nullptr;
            unsigned aantal = 0;
            XQueryTree(scherm.d, w, &wortel, &ouder, &kinderen, &aantal);
            if (kinderen)
                XFree(kinderen);
            XWindowAttributes maat{};
            XGetWindowAttributes(scherm.d, w, &maat);
            return w != eersteHoofd && ouder == wortel && maat.width > 1 && !scherm.isTransient(w);
        });
        // A recovery question would hold the window open.
        scherm.vraagTeSluiten(hoofd);
        tweede.wachtOpSchoonEinde();
    }
    eerste.dood();
    // A list of names is saved in a new random order: only the names count.
    const std::string bewaard = herstelEnBewaar(scherm, programma, map);
    if (lees(bewaard) != ingevoerd)
        throw Fout("the restored tournament differs from what was typed:\n" + bewaard);
}

} // namespace

int main(int argc, char** argv) {
    const std::string geval = argc == 3 ? argv[1] : "";
    if (geval != "herstel" && geval != "midden" && geval != "tweede") {
        std::fprintf(stderr, "usage: %s herstel|midden|tweede <zegerooster executable>\n", argv[0]);
        return 2;
    }
    XSetErrorHandler(ignoreXErrors);
    try {
        EigenMap map;
        Scherm scherm;
        if (geval == "herstel")
            herstelNaCrash(scherm, argv[2], map.pad());
        else if (geval == "tweede")
            tweedeKopie(scherm, argv[2], map.pad());
        else
            crashTijdensAutosave(scherm, argv[2], map.pad());
    } catch (const std::exception& fout) {
        std::fprintf(stderr, "crash test %s failed: %s\n", geval.c_str(), fout.what());
        return 1;
    }
    std::printf("crash test %s passed\n", geval.c_str());
    return 0;
}
