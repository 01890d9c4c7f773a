// Files that a test has the library write, read back as they lie on disk.
#pragma once

#include <optional>
#include <string>

// The file's bytes; nothing when it cannot be opened (or does not exist).
std::optional<std::string> ReadFileBytes(const std::wstring& path);
// <the system's temporary folder>\<name>
std::wstring TempFilePath(const std::wstring& name);
