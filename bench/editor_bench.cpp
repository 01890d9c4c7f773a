// Times the editor's text core on generated C sources of 1, 10 and 100 MB and prints every
// figure as a ratio to the floor: reading the same file into memory and converting it to
// UTF-16 with the platform call.
#include "bench/bench_clock.h"
#include "editor/edit_model.h"
#include "editor/lang_ini.h"
#include "editor/lang_registry.h"

#include <psapi.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

double Time(const std::function<void()>& work) {
    const double start = Now();
    work();
    return Now() - start;
}

size_t PeakMegabytes() {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PeakPagefileUsage / (1024 * 1024);
}

// Writes a C source of about `bytes` bytes: functions with comments, strings, numbers and
// keywords. Written piece by piece, so that the generator does not add to the peak memory.
bool WriteSource(const std::wstring& path, size_t bytes) {
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

void Report(const char* what, double seconds, double floor) {
    std::printf("  %-44s %10.3f ms  %8.2f x floor   peak %5zu MB\n", what, seconds * 1000.0,
                seconds / floor, PeakMegabytes());
}

void RunSize(size_t megabytes, const std::wstring& folder) {
    const std::wstring path = folder + L"bench_" + std::to_wstring(megabytes) + L"mb.c";
    const std::wstring saved = folder + L"bench_" + std::to_wstring(megabytes) + L"mb_saved.c";
    if (!WriteSource(path, megabytes * 1024 * 1024)) {
        std::printf("cannot write %ls\n", path.c_str());
        return;
    }
    Floor(path); // warm the file cache so that floor and load read alike
    const double floor = Floor(path);
    std::printf("%zu MB source (floor: read + convert to UTF-16 = %.3f ms)\n", megabytes,
                floor * 1000.0);
    QuietModel model;
    model.SetLangConfigByName(L"CPP");
    model.SetUnicode(FALSE);
    Report("load into the text model", Time([&] { model.OpenFile(path.c_str()); }), floor);
    int lines = 0, lastLength = 0;
    CString last;
    Report("line count and last line", Time([&] {
               lines = model.GetLineCount();
               lastLength = model.GetLineTextLength(lines - 1);
               model.GetText(last, lines - 1, 0, lines - 1, lastLength);
           }),
           floor);
    // The undo stack holds 256 steps: 1000 inserts go in four rounds of 250, each undone.
    const double edits = Time([&] {
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
    Report("1000 one-character inserts spread, all undone", edits, floor);
    if (model.IsModified())
        std::printf("  (unexpected: modified after undoing every insert)\n");
    Report("colour 10,000 lines from the top", Time([&] {
               for (int i = 0; i < 10000 && i < lines; ++i)
                   model.GetLineColouring(i);
           }),
           floor);
    const int middle = lines / 2;
    Report("colour 10,000 lines from the middle", Time([&] {
               for (int i = middle; i < middle + 10000 && i < lines; ++i)
                   model.GetLineColouring(i);
           }),
           floor);
    Report("save (8-bit)", Time([&] { model.SaveFile(saved.c_str()); }), floor);
    std::printf("  lines %d, peak memory so far %zu MB\n\n", lines, PeakMegabytes());
    DeleteFileW(path.c_str());
    DeleteFileW(saved.c_str());
}

} // namespace

int main(int argc, char** argv) {
    std::vector<size_t> sizes = {1, 10, 100};
    if (argc > 1)
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
    for (size_t mb : sizes)
        RunSize(mb, temp);
    return 0;
}
