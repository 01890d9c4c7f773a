#include "tests/support/run_host.h"

#include <windows.h>

#include <fstream>

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n);
    return folder.substr(0, folder.find_last_of(L"\\/"));
}

namespace {

std::wstring TempLogPath() {
    wchar_t dir[MAX_PATH] = {}, file[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, dir);
    GetTempFileNameW(dir, L"mox", 0, file);
    return file;
}

std::vector<std::string> ReadLines(const std::wstring& path) {
    std::vector<std::string> lines;
    std::ifstream in(path.c_str());
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

} // namespace

HostRun RunHost(const std::wstring& switches) {
    HostRun run;
    const std::wstring log = TempLogPath();
    std::wstring command =
        L"\"" + ProgramFolder() + L"\\moxhost.exe\" " + switches + L" --log \"" + log + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
        return run;
    run.finished = WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0;
    if (!run.finished)
        TerminateProcess(pi.hProcess, 99);
    GetExitCodeProcess(pi.hProcess, &run.exitCode);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    run.log = ReadLines(log);
    DeleteFileW(log.c_str());
    return run;
}
