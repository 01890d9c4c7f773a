// Times the editor's text core on generated C sources of 1, 10 and 100 MB and on one of a
// single 20 MB line, and prints every figure as a ratio to its reference in the same run (the
// floor: reading the same file into memory and converting it to UTF-16 with the platform
// call; or a named peer) with the target beside it, and the heap allocations it made. Each
// source is also loaded once by a process of its own, as the first file a user opens is.
#include "bench/bench_clock.h"
#include "editor/edit_model.h"
#include "editor/lang_config.h"
#include "editor/lang_ini.h"
#include "editor/lang_registry.h"
#include "editor/text_store.h"

#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <new>
#include <memory>
#include <string>
#include <vector>

// Every heap allocation of the program's C++ code is counted. The compiler sees standard
// containers pair these with their own operator new after inlining and warns of a mismatch
// that is not there: both sides are the ones below.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
static std::atomic<long long> g_allocations{0};

void* operator new(size_t size) {
    ++g_allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void* operator new[](size_t size) {
    return operator new(size);
}
void* operator new(size_t size, const std::nothrow_t&) noexcept {
    ++g_allocations;
    return std::malloc(size ? size : 1);
}
void* operator new[](size_t size, const std::nothrow_t& tag) noexcept {
    return operator new(size, tag);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, size_t) noexcept {
    std::free(p);
}

namespace {

double Time(const std::function<void()>& work) {
    const double start = Now();
    work();
    return Now() - start;
}

PROCESS_MEMORY_COUNTERS Memory() {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters;
}

double Megabytes(size_t bytes) {
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

// Writes a C source of about `bytes` bytes: functions with comments, strings, numbers and
// keywords. Written piece by piece, so that the generator does not add to the peak memory.
bool WriteSource(const std::wstring& path, size_t bytes, bool oneLine = false) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return false;
    size_t total = 0;
    bool ok = true;
    std::string out = "#include <stdio.h>\n#include <stdlib.h>\n\n";
    for (int i = 0; ok && total < bytes; ++i) {
        const std::string n = std::to_string(i);
        out += "/* Function " + n + ": adds up the values\n   and prints the total. */\n";
        out += "static int function_" + n + "(const int* values, int count)\n{\n";
        out += "    int total = 0x" + std::to_string(i % 97) + ";\n";
        out += "    for (int k = 0; k < count; ++k) {\n";
        out += "        total += values[k] * " + std::to_string(i % 13 + 1) + "; // weight\n";
        out += "    }\n";
        out += "    printf(\"function " + n + ": %d\\n\", total);\n";
        out += "    return total;\n}\n\n";
        if (out.size() > 65536 || total + out.size() >= bytes) {
            if (oneLine) // a minified source: every line end becomes a space
                for (char& c : out)
                    c = c == '\n' ? ' ' : c;
            DWORD written = 0;
            ok = WriteFile(f, out.data(), static_cast<DWORD>(out.size()), &written, nullptr) &&
                 written == out.size();
            total += out.size();
            out.clear();
        }
    }
    CloseHandle(f);
    return ok;
}

// The floor: the file into memory, then into UTF-16 with the platform's conversion.
double Floor(const std::wstring& path) {
    return Time([&] {
        HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        LARGE_INTEGER size;
        GetFileSizeEx(f, &size);
        std::vector<char> bytes(static_cast<size_t>(size.QuadPart));
        DWORD got = 0;
        ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
        CloseHandle(f);
        const int n =
            MultiByteToWideChar(CP_THREAD_ACP, 0, bytes.data(), static_cast<int>(got), nullptr, 0);
        std::vector<wchar_t> wide(static_cast<size_t>(n));
        MultiByteToWideChar(CP_THREAD_ACP, 0, bytes.data(), static_cast<int>(got), wide.data(), n);
    });
}

class QuietModel : public SECEditModel {
protected:
    int ShowMessage(const CString& text, UINT) override {
        std::printf("message: %ls\n", text.GetString());
        return IDOK;
    }
};

// One figure: its time as a ratio to the reference, the target for that ratio, and the heap
// allocations made while it ran.
struct Measured {
    double seconds;
    long long allocations;
};

Measured Measure(const std::function<void()>& work) {
    const long long before = g_allocations;
    const double seconds = Time(work);
    return {seconds, g_allocations - before};
}

void Header() {
    std::printf("  %-40s %10s %9s %-7s %7s %12s\n", "operation", "ms", "ratio", "to", "target",
                "allocations");
}

constexpr double kNoTarget = -1.0;

void Report(const char* what, Measured m, double reference, const char* to, double target) {
    const double ratio = m.seconds / reference;
    char goal[16] = "-";
    if (target >= 0)
        std::snprintf(goal, sizeof goal, "%7.3f", target);
    std::printf("  %-40s %10.3f %9.3f %-7s %7s %12lld%s\n", what, m.seconds * 1000.0, ratio, to,
                goal, m.allocations, target >= 0 && ratio > target ? "  (over target)" : "");
}

void ReportCount(const char* what, double value, const char* unit, double target) {
    std::printf("  %-40s %10.3f %-17s %7.3f%s\n", what, value, unit, target,
                value > target ? "  (over target)" : "");
}

// What the table measured there, as ratios to its floor: colouring 10k lines of the
// 1, 10 and 100 MB sources. The target is twice as fast.
double ColourTarget(size_t megabytes) {
    switch (megabytes) {
    case 1:
        return 30.7 / 3.1 / 2.0;
    case 10:
        return 20.1 / 30.5 / 2.0;
    default:
        return 36.4 / 247.0 / 2.0;
    }
}

// Loads the file and reports the load, the working set and the index memory a line costs.
int Load(QuietModel& model, const std::wstring& path, double floor, size_t fileBytes) {
    const size_t privateBefore = Memory().PagefileUsage;
    Report("load into the text model", Measure([&] { model.OpenFile(path.c_str()); }), floor,
           "floor", 1.5);
    const PROCESS_MEMORY_COUNTERS after = Memory();
    const int lines = model.GetLineCount();
    // 8-bit ASCII source: one character a byte, two bytes a character in the model.
    const double index = (static_cast<double>(after.PagefileUsage) -
                          static_cast<double>(privateBefore) - 2.0 * fileBytes) /
                         lines;
    ReportCount("index memory a line, bytes", index, "bytes/line", 8.0);
    std::printf("  %-40s %10.1f MB\n", "working set after load", Megabytes(after.WorkingSetSize));
    return lines;
}

void CopyLines(QuietModel& model, int first, int count) {
    // The peer copies the same characters, line by line, with memcpy into one buffer, as the
    // copy into one string does. A round takes well under a millisecond, where one preempted
    // moment shows: the rounds alternate, and each side's median counts.
    int longest = 0;
    for (int i = first; i < first + count && i < model.GetLineCount(); ++i) {
        const wchar_t* p = nullptr;
        longest = std::max(longest, model.GetTextPointer(&p, i, 0, -1, -1));
    }
    std::vector<wchar_t> target(static_cast<size_t>(longest) + 1);
    CString line;
    constexpr int kRounds = 51;
    std::vector<Measured> peers, copies;
    for (int round = 0; round < kRounds; ++round) {
        peers.push_back(Measure([&] {
            for (int i = first; i < first + count && i < model.GetLineCount(); ++i) {
                const wchar_t* p = nullptr;
                const int n = model.GetTextPointer(&p, i, 0, -1, -1);
                std::memcpy(target.data(), p, n * sizeof(wchar_t));
            }
        }));
        copies.push_back(Measure([&] {
            for (int i = first; i < first + count && i < model.GetLineCount(); ++i)
                model.GetText(line, i, 0, -1, -1);
        }));
    }
    auto median = [](std::vector<Measured>& all) {
        std::sort(all.begin(), all.end(),
                  [](const Measured& a, const Measured& b) { return a.seconds < b.seconds; });
        return all[all.size() / 2];
    };
    const Measured peer = median(peers);
    Report("copy out 10,000 lines (peer: memcpy)", median(copies), peer.seconds, "memcpy", 1.5);
}

// The first file a user opens: one load in a process of its own, against the floor measured
// there. Its line goes into this table.
void FirstLoadInAFreshProcess(size_t megabytes, bool oneLine) {
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(exe) + L"\" --first-load " +
                           std::to_wstring(megabytes) + (oneLine ? L" 1" : L" 0");
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process = {};
    std::fflush(stdout);
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &process)) {
        std::printf("  (the first load: no fresh process, error %lu)\n", GetLastError());
        return;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

void RunFile(const std::wstring& path, size_t megabytes, bool oneLine) {
    Floor(path); // warm the file cache so that floor and load read alike
    const double floor = Floor(path);
    std::printf("%zu MB source%s (floor: read + convert to UTF-16 = %.3f ms)\n", megabytes,
                oneLine ? " of one line" : "", floor * 1000.0);
    Header();
    FirstLoadInAFreshProcess(megabytes, oneLine);
    QuietModel model;
    model.SetLangConfigByName(L"CPP");
    model.SetUnicode(FALSE);
    const int lines = Load(model, path, floor, megabytes * 1024 * 1024);
    CopyLines(model, lines / 2, 10000);
    // The undo stack holds 256 steps: 1000 inserts go in four rounds of 250, each undone.
    const Measured edits = Measure([&] {
        for (int round = 0; round < 4; ++round) {
            for (int i = 0; i < 250; ++i) {
                const int line = static_cast<int>(
                    (static_cast<long long>(round * 250 + i) * (lines - 1)) / 1000);
                model.InsertTextAt(line, 0, L"x", 1);
            }
            for (int i = 0; i < 250; ++i)
                model.Undo();
        }
    });
    Report("1000 one-character inserts, all undone", edits, floor, "floor", kNoTarget);
    ReportCount("  their heap allocations", static_cast<double>(edits.allocations), "allocations",
                100.0);
    if (model.IsModified() != oneLine)
        std::printf("  (unexpected: modified is %d after undoing every insert)\n",
                    model.IsModified());
    const double colourTarget = oneLine ? 1.0 : ColourTarget(megabytes);
    const Measured top = Measure([&] {
        for (int i = 0; i < 10000 && i < lines; ++i)
            model.GetLineColouring(i);
    });
    Report("colour 10,000 lines from the top", top, floor, "floor", colourTarget);
    ReportCount("  allocations a coloured line", top.allocations / 10000.0, "allocations", 0.01);
    // A line in the middle is coloured only once the comments and strings of every line above
    // it are known: besides the 10k lines, half the file is scanned for what carries over. That
    // scan is allowed 0.2 of the floor (0.4 of the floor of the half it covers).
    const int middle = lines / 2;
    Report("colour 10,000 lines from the middle", Measure([&] {
               for (int i = middle; i < middle + 10000 && i < lines; ++i)
                   model.GetLineColouring(i);
           }),
           floor, "floor", oneLine ? colourTarget : colourTarget + 0.2);
    const std::wstring saved = path + L".saved";
    Report("save (8-bit)", Measure([&] { model.SaveFile(saved.c_str()); }), floor, "floor",
           kNoTarget);
    std::printf("  lines %d, peak private memory %.1f MB\n\n", lines,
                Megabytes(Memory().PeakPagefileUsage));
    DeleteFileW(saved.c_str());
}

std::wstring SourcePath(size_t megabytes, const std::wstring& folder, bool oneLine) {
    return folder + L"bench_" + std::to_wstring(megabytes) + L"mb" + (oneLine ? L"_line" : L"") +
           L".c";
}

// In the fresh process: the floor, then the one load.
void FirstLoad(size_t megabytes, const std::wstring& folder, bool oneLine) {
    const std::wstring path = SourcePath(megabytes, folder, oneLine);
    Floor(path);
    const double floor = Floor(path);
    QuietModel model;
    model.SetLangConfigByName(L"CPP");
    model.SetUnicode(FALSE);
    // Its own floor, measured in that process, is part of the name.
    char what[48];
    std::snprintf(what, sizeof what, "first load, fresh process (floor %.3f)", floor * 1000.0);
    Report(what, Measure([&] { model.OpenFile(path.c_str()); }), floor, "floor", 1.5);
    std::fflush(stdout);
}

void RunSize(size_t megabytes, const std::wstring& folder, bool oneLine) {
    const std::wstring path = SourcePath(megabytes, folder, oneLine);
    if (!WriteSource(path, megabytes * 1024 * 1024, oneLine)) {
        std::printf("cannot write %ls\n", path.c_str());
        return;
    }
    RunFile(path, megabytes, oneLine);
    DeleteFileW(path.c_str());
}

// ---- hostile input: language files, searches -------------------------------------------------

void ReportTarget(const char* what, double seconds, double peer, const char* peerName,
                  const char* target) {
    std::printf("  %-44s %10.3f ms  %8.2f x %-10s target %s\n", what, seconds * 1000.0,
                seconds / peer, peerName, target);
}

bool WriteUtf16File(const std::wstring& path, const std::wstring& text) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return false;
    std::string bytes("\xFF\xFE", 2);
    bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * 2);
    DWORD written = 0;
    const bool ok = WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(f);
    return ok && written == bytes.size();
}

// The floor of a write: the same bytes put into a file with one call.
double WriteFloor(const std::wstring& from, const std::wstring& to) {
    HANDLE f = CreateFileW(from.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    LARGE_INTEGER size = {};
    GetFileSizeEx(f, &size);
    std::vector<char> bytes(static_cast<size_t>(size.QuadPart));
    DWORD got = 0;
    ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(f);
    return Time([&] {
        HANDLE out = CreateFileW(to.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(out, bytes.data(), got, &written, nullptr);
        CloseHandle(out);
    });
}

double ReadLanguageFile(const std::wstring& path, SECEditLangConfig* config) {
    auto* reader = new SECEditLangIniReader(path.c_str());
    const double t = Time([&] { reader->Read(config); });
    reader->Release();
    return t;
}

void RunLanguageFiles(const std::wstring& folder) {
    std::printf("language files\n");
    const std::wstring counts = folder + L"bench_counts.ini";
    WriteUtf16File(counts, L"[ColorGroups]\r\nNumGroups=65535\r\nGroup3=Three\r\n"
                           L"[Parser]\r\nNumTags=65535\r\n[Tag9]\r\nBeginTag=//\r\n");
    Floor(counts);
    SECEditLangConfig* config = new SECEditLangConfig;
    const double countsTime = ReadLanguageFile(counts, config);
    ReportTarget("read NumGroups=NumTags=65535, 2 entries", countsTime, Floor(counts), "floor",
                 "< 1000 ms");
    // Every group present: a 16-bit index's worth, and more.
    std::wstring many = L"[ColorGroups]\r\nNumGroups=65535\r\n";
    for (int i = 1; i <= 65535; ++i)
        many += L"Group" + std::to_wstring(i) + L"=G" + std::to_wstring(i) + L"\r\n";
    const std::wstring manyPath = folder + L"bench_groups.ini";
    WriteUtf16File(manyPath, many);
    Floor(manyPath);
    config->SetDefaults();
    ReportTarget("read 65,535 groups", ReadLanguageFile(manyPath, config), Floor(manyPath), "floor",
                 "< 1000 ms");
    const double before = Megabytes(Memory().PagefileUsage);
    const std::wstring longTag = folder + L"bench_tag.ini";
    WriteUtf16File(longTag, L"[Parser]\r\nNumTags=1\r\n[Tag1]\r\nBeginTag=" +
                                std::wstring(100000, L'<') + L"\r\n");
    Floor(longTag);
    config->SetDefaults();
    ReportTarget("read a 100,000-character BeginTag", ReadLanguageFile(longTag, config),
                 Floor(longTag), "floor", "< 1000 ms, rejected");
    std::printf("  private memory before the long tag %.1f MB, after %.1f MB\n", before,
                Megabytes(Memory().PagefileUsage));

    // Writing: each configuration in one pass.
    struct Shape {
        const char* what;
        int groups, tags, keywords;
    };
    for (const Shape& shape :
         {Shape{"write 500 groups", 500, 0, 0}, Shape{"write 500 tags", 0, 500, 0},
          Shape{"write 100,000 keywords", 0, 0, 100000}}) {
        config->SetDefaults();
        for (int i = 0; i < shape.groups; ++i)
            config->PutColorGroup((L"Group " + std::to_wstring(i)).c_str(),
                                  std::make_unique<SECEditColorGroup>());
        for (int i = 0; i < shape.tags; ++i) {
            auto tag = std::make_unique<SECEditTag>();
            tag->m_beginTag = (L"<" + std::to_wstring(i) + L">").c_str();
            tag->m_endTag = L"</>";
            config->PutTag(std::move(tag));
        }
        for (int i = 0; i < shape.keywords; ++i)
            config->PutKeyword((L"keyword_" + std::to_wstring(i)).c_str(),
                               static_cast<uint16_t>(i % 4));
        config->RebuildFoldedKeywords();
        const std::wstring path = folder + L"bench_write.ini";
        DeleteFileW(path.c_str());
        auto* writer = new SECEditLangIniWriter(path.c_str());
        const double t = Time([&] { writer->Write(config); });
        writer->Release();
        const std::wstring copy = folder + L"bench_write_floor.ini";
        ReportTarget(shape.what, t, WriteFloor(path, copy), "one write", "< 100 ms");
        DeleteFileW(path.c_str());
        DeleteFileW(copy.c_str());
    }
    config->Release();
    DeleteFileW(counts.c_str());
    DeleteFileW(manyPath.c_str());
    DeleteFileW(longTag.c_str());
    std::printf("\n");
}

void RunSearches() {
    std::printf("regular-expression search over 1 M characters\n");
    std::wstring text = L"needle_1\n";
    while (text.size() < 1000000)
        text += L"static int function(const int* values, int count) { return count * 42; }\n";
    text += L"needle_2";
    SECEditTextStore store;
    SECEditRange r;
    store.InsertText(r, text.c_str(), static_cast<int>(text.size()));
    const int lastLine = store.GetLineCount() - 1;
    const int lastColumn = store.GetLineLength(lastLine);
    int line = 0, column = 0, found = 0;
    auto find = [&](const wchar_t* pattern, BOOL forward) {
        return Time([&] {
            found = forward ? store.Find(0, 1, line, column, pattern, TRUE, FALSE, TRUE, FALSE,
                                         TRUE, -1, -1)
                            : store.Find(lastLine, lastColumn - 1, line, column, pattern, FALSE,
                                         FALSE, TRUE, FALSE, TRUE, -1, -1);
        });
    };
    // One match at the far end of each direction: both searches cross the whole text.
    const double forward = find(L"needle_[0-9]", TRUE);
    const double backward = find(L"needle_[0-9]", FALSE);
    ReportTarget("backward, one match, vs forward", backward, forward, "forward", "<= 2");
    // A match on every line: the backward search meets each of them on its one pass.
    const double forwardNone = find(L"[0-9]+Q", TRUE);
    const double backwardDense = find(L"[0-9]+", FALSE);
    ReportTarget("backward, a match a line, vs forward", backwardDense, forwardNone, "forward",
                 "<= 2");
    std::wstring as(1000000, L'a');
    as += L"!";
    SECEditTextStore runaway;
    SECEditRange r2;
    runaway.InsertText(r2, as.c_str(), static_cast<int>(as.size()));
    const double stop = Time([&] {
        found = runaway.Find(0, 0, line, column, L"(a+)+$", TRUE, FALSE, TRUE, FALSE, TRUE, -1, -1);
    });
    ReportTarget(runaway.WasSearchStopped() ? "(a+)+$ on 1 M characters: stopped"
                                            : "(a+)+$ on 1 M characters: NOT stopped",
                 stop, forward, "forward", "stopped, caller responsive");
    SECEditTextStore small;
    SECEditRange r3;
    small.InsertText(r3, L"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaa!", -1);
    const double smallStop = Time([&] {
        found = small.Find(0, 0, line, column, L"(a+)+$", TRUE, FALSE, TRUE, FALSE, TRUE, -1, -1);
    });
    ReportTarget(small.WasSearchStopped() ? "(a+)+$ on 30 characters: stopped"
                                          : "(a+)+$ on 30 characters: NOT stopped",
                 smallStop, forward, "forward", "stopped, caller responsive");
    std::printf("\n");
}

} // namespace

int main(int argc, char** argv) {
    // "--first-load MB ONE_LINE": the child that loads the source of that size once.
    const bool firstLoad = argc > 3 && std::strcmp(argv[1], "--first-load") == 0;
    std::vector<size_t> sizes = {1, 10, 100};
    if (argc > 1 && !firstLoad)
        sizes = {static_cast<size_t>(std::atoi(argv[1]))};
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    // The C and C++ configuration, from the language file beside the program.
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring ini(exe);
    ini = ini.substr(0, ini.find_last_of(L"\\/") + 1) + L"cpp.ini";
    if (GetFileAttributesW(ini.c_str()) == INVALID_FILE_ATTRIBUTES)
        std::printf("cpp.ini is not beside the program: lines are coloured with the defaults\n");
    auto* reader = new SECEditLangIniReader(ini.c_str());
    SECEditLangConfigRegistry::RegisterLangConfig(L"CPP", reader, nullptr);
    reader->Release();
    if (firstLoad) {
        FirstLoad(static_cast<size_t>(std::atoi(argv[2])), temp, std::atoi(argv[3]) != 0);
        return 0;
    }
    for (size_t mb : sizes)
        RunSize(mb, temp, false);
    if (argc <= 1)
        RunSize(20, temp, true);
    RunLanguageFiles(temp);
    RunSearches();
    return 0;
}
