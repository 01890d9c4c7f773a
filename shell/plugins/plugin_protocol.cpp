#include "framework/afx.h"
#include "shell/plugins/plugin_protocol.h"

#include "shell/plugins/plugin_walk.h"

namespace {

std::string ToAnsi(const CString& text) {
    const int length = text.GetLength();
    if (length == 0)
        return std::string();
    const LPCWSTR wide = static_cast<LPCWSTR>(text);
    const int size = ::WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        ::WideCharToMultiByte(CP_ACP, 0, wide, length, &bytes[0], size, nullptr, nullptr);
    return bytes;
}

CString RecordLine(const PluginInfoNode& node, int depth) {
    CString line(L' ', depth);
    line += PluginText(node.name);
    if (node.flags & PluginFlags::plugin)
        line += L"*";
    PadProtocolLine(line, kProtocolDescriptionColumn);
    line += PluginText(node.description);
    PadProtocolLine(line, kProtocolVersionColumn);
    line += PluginText(node.version);
    PadProtocolLine(line, kProtocolCommandColumn);
    line += PluginText(node.command);
    PadProtocolLine(line, kProtocolPathColumn);
    line += PluginText(node.path);
    line += L"\r\n";
    return line;
}

} // namespace

void PadProtocolLine(CString& line, int column) {
    const int length = line.GetLength();
    if (length < column)
        line += CString(L' ', column - length);
    else
        line += L",";
}

std::string PluginProtocolText(PluginInfoNode* root) {
    CString header = L"Name:";
    PadProtocolLine(header, kProtocolDescriptionColumn);
    header += L"Description:";
    PadProtocolLine(header, kProtocolVersionColumn);
    header += L"Version:";
    PadProtocolLine(header, kProtocolCommandColumn);
    header += L"Command:";
    PadProtocolLine(header, kProtocolPathColumn);
    header += L"Path:\r\n\r\n";

    std::string text = ToAnsi(CString(L' ', 43) + L"Loaded Plug-ins:\r\n\r\n\r\n");
    text += ToAnsi(header);
    const PluginWalkResult walk =
        WalkShownPlugins(root, [&text](PluginInfoNode& node, PluginInfoNode*, int depth) {
            text += ToAnsi(RecordLine(node, depth));
        });
    if (walk.cut) {
        CString note;
        note.Format(L"\r\nEntries nested deeper than %d levels, repeated entries and entries past "
                    L"the first %d were left out.\r\n",
                    kMaxPluginDepth, kMaxPluginRecords);
        text += ToAnsi(note);
    }
    text += ToAnsi(L"\r\nLibraries marked with '*' are Plug-ins.\r\n");
    return text;
}

bool WriteProtocolFile(const CString& path, const std::string& bytes, CString& error) {
    CFile file;
    CFileException openError;
    if (!file.Open(path, CFile::modeCreate | CFile::modeWrite, &openError)) {
        wchar_t reason[512] = {};
        openError.GetErrorMessage(reason, 512);
        error = reason;
        return false;
    }
    try {
        file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
        file.Close();
        return true;
    } catch (CFileException* e) {
        wchar_t reason[512] = {};
        e->GetErrorMessage(reason, 512);
        e->Delete();
        error = reason;
    }
    // A protocol cut short must not stand as if it were whole.
    file.Abort();
    ::DeleteFileW(path);
    return false;
}
