// The picker's benchmark: pointer-move cost, start-up, a soak and the sizes of
// the executables, printed as one table. Run it through scripts/bench.sh.
//
//   bench.exe [--picker EXE] [--bare EXE] [--size LABEL LIMIT_BYTES EXE]...
//
// picker.exe and bare_dialog.exe are taken from this program's directory
// unless named; each --size adds a size row (LIMIT_BYTES 0: no goal).
#include "Clock.h"
#include "Counters.h"
#include "ExeSizes.h"
#include "PointerMoves.h"
#include "ProgramFiles.h"
#include "ProgramRun.h"
#include "Soak.h"
#include "StartupTimes.h"
#include "Table.h"
#include "Watchdog.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const int kMoves = 20000;
const int kStarts = 20;
const int kSoakMoves = 100000;
const double kStartupGoal = 1.1;
// Growth a leak of even one byte a move would exceed over the soak.
const SIZE_T kMemoryNoise = 64 * 1024;
const DWORD kStartLimit = 20000;
const DWORD kExitLimit = 10000;
const DWORD kMovesLimit = 300000;
const DWORD kSoakLimit = 900000;
const char kNotImplemented[] = "n/a (not implemented by this platform)";

struct Options {
    std::string picker;
    std::string bare;
    std::vector<ExeSize> sizes;
};

bool ParseOptions(int argc, char** argv, Options* options) {
    options->picker = ProgramBesideThis("picker.exe");
    options->bare = ProgramBesideThis("bare_dialog.exe");
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--picker") == 0 && i + 1 < argc) {
            options->picker = argv[++i];
        } else if (std::strcmp(argv[i], "--bare") == 0 && i + 1 < argc) {
            options->bare = argv[++i];
        } else if (std::strcmp(argv[i], "--size") == 0 && i + 3 < argc) {
            ExeSize size = {argv[i + 1], argv[i + 3], std::strtoul(argv[i + 2], 0, 10), false, 0};
            options->sizes.push_back(size);
            i += 3;
        } else {
            std::fprintf(stderr, "usage: bench.exe [--picker EXE] [--bare EXE] "
                                 "[--size LABEL LIMIT_BYTES EXE]...\n");
            return false;
        }
    }
    return true;
}

std::string Platform() {
    typedef const char*(CDECL * VersionFunction)();
    VersionFunction version = reinterpret_cast<VersionFunction>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version")));
    const char* bits = sizeof(void*) == 8 ? "x86-64" : "x86";
    if (version) {
        return Text("Wine %s, %s", version(), bits);
    }
    return Text("Windows, %s", bits);
}

std::string Kib(SIZE_T bytes) {
    return Text("%.1f KiB", bytes / 1024.0);
}

std::string SignedKib(SIZE_T before, SIZE_T after) {
    const double change = (static_cast<double>(after) - static_cast<double>(before)) / 1024.0;
    return Text("%+.1f KiB", change);
}

std::string Verdict(bool met, const char* goal) {
    return Text("%s: %s", goal, met ? "met" : "missed");
}

void Report(const std::string& error) {
    std::fprintf(stderr, "bench: %s\n", error.c_str());
}

// A picker of its own for a phase that sends it moves, closed afterwards.
bool StartPicker(const std::string& picker, const std::string& directory, ProgramRun* run) {
    std::string error;
    if (!run->Start(picker, directory, &error) || !run->WaitForHandleFile(kStartLimit, &error)) {
        Report(error);
        return false;
    }
    return true;
}

bool ClosePicker(ProgramRun* run) {
    std::string error;
    if (!run->Close(kExitLimit, &error)) {
        Report(error);
        return false;
    }
    return true;
}

void AddMoveRows(Table* table, const MoveCosts& costs) {
    const double floor = costs.sample + costs.ignored;
    table->Add(
        {Text("pointer move: WM_MOUSEMOVE sent to the picker and handled, mean of %d", costs.count),
         Text("%.2f us", costs.move * 1e6), Text("floor %.2f us", floor * 1e6),
         Text("%.2fx the floor", costs.move / floor), "(none set)"});
    table->Add({"  floor, part 1: CreateDCA(\"DISPLAY\") + GetPixel + DeleteDC, here", "",
                Text("%.2f us", costs.sample * 1e6), "", ""});
    table->Add({"  floor, part 2: WM_USER+100 sent to the picker, which ignores it", "",
                Text("%.2f us", costs.ignored * 1e6), "", ""});
}

void AddStartupRow(Table* table, const StartupTimes& times) {
    const double ratio = times.picker / times.bare;
    table->Add({Text("start-up: CreateProcessA to hwnd.dat written, median of %d", times.starts),
                Text("%.1f ms", times.picker * 1e3), Text("bare dialog %.1f ms", times.bare * 1e3),
                Text("%.3fx", ratio), Verdict(ratio <= kStartupGoal, "<= 1.1x")});
}

void AddObjectRow(Table* table, const char* what, bool implemented, DWORD before, DWORD after) {
    if (!implemented) {
        table->Add({what, kNotImplemented, kNotImplemented, "", "no growth: not measurable"});
        return;
    }
    table->Add({what, Text("%lu after", static_cast<unsigned long>(after)),
                Text("%lu before", static_cast<unsigned long>(before)),
                Text("%+ld", static_cast<long>(after) - static_cast<long>(before)),
                Verdict(after <= before, "no growth")});
}

void AddSoakRows(Table* table, const SoakResult& soak, const CounterSupport& support) {
    const std::string title = Text("soak, %d moves: ", soak.moves);
    const SIZE_T before = PrivateBytes(soak.before, support.memory);
    const SIZE_T after = PrivateBytes(soak.after, support.memory);
    if (support.memory != kNoMemoryCounter && before != 0) {
        const bool met = after <= before + kMemoryNoise;
        table->Add({title + "picker's private memory (" + MemoryCounterName(support.memory) + ")",
                    Kib(after) + " after", Kib(before) + " before", SignedKib(before, after),
                    Verdict(met, "growth < 64 KiB")});
        std::string trace;
        for (const ProcessCounters& counters : soak.trace) {
            trace += (trace.empty() ? "" : " ") +
                     Text("%.0f", PrivateBytes(counters, support.memory) / 1024.0);
        }
        table->Add({"  private memory after each tenth of the soak (KiB)", trace, "", "", ""});
    } else {
        table->Add({title + "picker's private memory", kNotImplemented, kNotImplemented, "",
                    "no growth: not measurable"});
    }
    AddObjectRow(table, (title + "picker's GDI objects").c_str(), support.gdiObjects,
                 soak.before.gdiObjects, soak.after.gdiObjects);
    AddObjectRow(table, (title + "picker's USER objects").c_str(), support.userObjects,
                 soak.before.userObjects, soak.after.userObjects);
}

void AddSizeRows(Table* table, std::vector<ExeSize>& sizes) {
    for (ExeSize& size : sizes) {
        ReadExeSize(&size);
        std::string goal = "(none set)";
        if (size.limit != 0) {
            goal = Text("<= %lu KiB", size.limit / 1024);
            goal =
                size.built ? Verdict(size.bytes <= size.limit, goal.c_str()) : goal + ": unknown";
        }
        table->Add({"size: " + size.label,
                    size.built ? Text("%llu bytes", size.bytes) : std::string("not built"),
                    size.built ? Text("%.1f KiB", size.bytes / 1024.0) : std::string(), "", goal});
    }
}

std::string CounterNames(const CounterSupport& support, bool wanted) {
    std::string names;
    const std::string memory = support.memory == kNoMemoryCounter
                                   ? std::string("private memory")
                                   : Text("private memory (%s)", MemoryCounterName(support.memory));
    const std::string all[] = {memory, "GDI objects", "USER objects"};
    const bool kept[] = {support.memory != kNoMemoryCounter, support.gdiObjects,
                         support.userObjects};
    for (int i = 0; i < 3; ++i) {
        if (kept[i] == wanted) {
            names += (names.empty() ? "" : ", ") + all[i];
        }
    }
    return names.empty() ? std::string("none") : names;
}

int Run(Options& options) {
    std::printf("platform: %s\n", Platform().c_str());
    std::printf("picker: %s\nbaseline: %s\n", options.picker.c_str(), options.bare.c_str());
    const CounterSupport support = ProbeCounterSupport();
    std::printf("counters kept by this platform (tried on this process with 8 MiB touched, "
                "32 brushes, 32 menus): %s; not kept: %s\n",
                CounterNames(support, true).c_str(), CounterNames(support, false).c_str());
    std::fflush(stdout);

    StartupTimes startups = {};
    std::string error;
    if (!MeasureStartups(options.picker, options.bare, kStarts, &startups, &error)) {
        Report(error);
        return 1;
    }

    const ScratchFolder folder("picker-bench-moves");
    const std::string& directory = folder.Path();
    if (directory.empty()) {
        Report("cannot make a working directory");
        return 1;
    }
    MoveCosts costs = {};
    SoakResult soak;
    {
        ProgramRun run;
        if (!StartPicker(options.picker, directory, &run)) {
            return 1;
        }
        {
            Watchdog watchdog("the pointer-move timing", kMovesLimit, run.Process());
            costs = MeasureMoveCosts(run.Dialog(), kMoves);
        }
        if (!ClosePicker(&run)) {
            return 1;
        }
    }
    {
        ProgramRun run;
        if (!StartPicker(options.picker, directory, &run)) {
            return 1;
        }
        {
            Watchdog watchdog("the soak", kSoakLimit, run.Process());
            soak = RunSoak(run.Process(), run.Dialog(), kSoakMoves);
        }
        if (!ClosePicker(&run)) {
            return 1;
        }
    }

    Table table({"measure", "picker", "against", "ratio or change", "goal"});
    AddMoveRows(&table, costs);
    AddStartupRow(&table, startups);
    AddSoakRows(&table, soak, support);
    AddSizeRows(&table, options.sizes);
    std::printf("\n");
    table.Print();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, &options)) {
        return 2;
    }
    return Run(options);
}
