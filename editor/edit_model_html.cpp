// The HTML export: the document as a page with preprocessor lines, comments, numbers,
// strings and keywords in their configured colours.
#include "editor/edit_model.h"

#include <boost/regex.hpp>

#include <string>

namespace {

// The group's colour as red-green-blue hex digits, "000000" for an automatic colour.
std::wstring ColourText(const SECEditColorGroup& group) {
    if (group.m_foreColorAutomatic)
        return L"000000";
    wchar_t bgr[16];
    // The high byte flags a palette entry; the colour is the low three bytes alone.
    swprintf(bgr, 16, L"%6.6x", static_cast<unsigned>(group.m_foreground & 0xFFFFFF));
    std::wstring rgb(bgr);
    return rgb.substr(4, 2) + rgb.substr(2, 2) + rgb.substr(0, 2);
}

std::wstring EscapeForRegex(const std::wstring& word) {
    static const std::wstring metachars = L"\\^$.|?*+()[]{}<>";
    std::wstring out;
    for (wchar_t c : word) {
        if (metachars.find(c) != std::wstring::npos)
            out += L'\\';
        out += c;
    }
    return out;
}

std::string ToUtf8(const std::wstring& text) {
    if (text.empty())
        return std::string();
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], n,
                            nullptr, nullptr);
    return out;
}

void BuildExpressions(const SECEditLangConfig& config, std::wstring& search, std::wstring& format) {
    std::wstring colours[4]; // Comment, Keyword, Number, String
    static const wchar_t* const kKinds[] = {L"Comment", L"Keyword", L"Number", L"String"};
    for (int i = 0; i < config.GetColorGroupCount(); ++i) {
        const SECEditColorGroup* g = config.GetColorGroup(i);
        for (int k = 0; k < 4; ++k)
            if (g->m_displayName == kKinds[k])
                colours[k] = ColourText(*g);
    }
    const struct {
        int group;
        int kind;
    } kFormats[] = {{1, 1}, {3, 0}, {5, 2}, {14, 3}, {17, 1}};
    for (const auto& f : kFormats)
        format += L"(?" + std::to_wstring(f.group) + L"<font color=\"#" + colours[f.kind] +
                  L"\">$&</font>)";
    // Bracket lists take no escapes in this syntax: the line feeds in them are real ones.
    search = L"(^[[:blank:]]*#([^\n]*\\\\[[:space:]]+)*[^\n]*)"
             L"|(//[^\n]*|/\\*([^*]|\\*+[^*/])*\\*+/)"
             L"|\\<([+-]?((0x[[:xdigit:]]+)|(([[:digit:]]*\\.)?[[:digit:]]+([eE][+-]?[[:digit:]]+)?"
             L"))u?((int(8|16|32|64))|L)?)\\>"
             L"|('([^\\']|\\\\.)*'|\"([^\\\"]|\\\\.)*\")";
    std::vector<CString> keywords;
    config.GetKeywords(keywords);
    if (keywords.empty())
        return;
    search += L"|\\<(";
    for (size_t i = 0; i < keywords.size(); ++i) {
        if (i)
            search += L'|';
        search += EscapeForRegex(keywords[i].str());
    }
    search += L")\\>";
}

} // namespace

BOOL SECEditModel::ExportHtml(const wchar_t* path, const wchar_t* face) {
    std::wstring body;
    try {
        std::wstring search, format;
        if (m_langConfig)
            BuildExpressions(*m_langConfig, search, format);
        const auto syntax = boost::regex::extended;
        const boost::wregex escape(L"(&)|(<)|(>)|\r", syntax);
        CString text;
        GetAllText(text);
        // "&" first: a source that holds "&lt;" must show as "&lt;", not as "<".
        body = boost::regex_replace(text.str(), escape, L"(?1&amp;)(?2&lt;)(?3&gt;)",
                                    boost::format_all);
        if (!search.empty()) {
            const boost::wregex colour(search, syntax);
            body = boost::regex_replace(body, colour, format, boost::format_all);
        }
    } catch (const std::exception&) {
        return FALSE; // an expression the library refused, or one too complex to run
    }
    std::wstring page = L"<HTML>\n<HEAD>\n<TITLE>Auto-generated html formated source</TITLE>\n"
                        L"<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; "
                        L"charset=utf-8\">\n</HEAD>\n"
                        L"<BODY LINK=\"#0000ff\" VLINK=\"#800080\" BGCOLOR=\"#ffffff\">\n"
                        L"<P> </P>\n<PRE>";
    const bool fontElement = !face || std::wstring(face) != L"DEFAULT";
    if (fontElement)
        page += L"<font face=\"" + std::wstring(face ? face : L"") + L"\">";
    page += body;
    if (fontElement)
        page += L"</font>";
    page += L"</PRE>\n</BODY>\n\n";
    const std::string bytes = ToUtf8(page);
    HANDLE file = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    DWORD written = 0;
    const BOOL ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size();
    return CloseHandle(file) && ok;
}
