#include "shell/app/open_file.h"

#include <algorithm>
#include <cwchar>

#include "shell/hostlink.h"

namespace {
constexpr size_t kMaxPathCharacters = 1024;
}

std::string BuildViewCommandLine(const wchar_t* path) {
    if (path == nullptr || *path == 0 || wcslen(path) > kMaxPathCharacters ||
        wcschr(path, L'"') != nullptr)
        return std::string();
    char* ansi = nullptr;
    BOOL converted = WideToAnsiHeap(path, &ansi);
    std::string narrow = converted && ansi ? ansi : "";
    if (ansi)
        ::HeapFree(::GetProcessHeap(), 0, ansi);
    if (narrow.empty() || narrow.find('"') != std::string::npos)
        return std::string(); // a character that the code page made into a quote
    std::replace(narrow.begin(), narrow.end(), '\\', '/');
    return "VIEW \"" + narrow + "\" 0";
}

BOOL OpenFileByName(const wchar_t* path) {
    std::string line = BuildViewCommandLine(path);
    if (line.empty()) {
        ::MessageBeep((UINT)-1);
        return FALSE;
    }
    SendHostRequest(nullptr, nullptr, 0, 6, reinterpret_cast<intptr_t>(line.c_str()), 0, 0);
    return TRUE;
}
