// The plug-in protocol: the host's plug-in tree as fixed-column 8-bit text, and its file.
#include <gtest/gtest.h>

#include <windows.h>

#include <deque>
#include <string>

#include "host/lib/plugin_tree.h"
#include "shell/plugins/plugin_protocol.h"
#include "shell/plugins/plugin_walk.h"
#include "tests/support/file_bytes.h"

namespace {

const std::string kTitle = std::string(43, ' ') + "Loaded Plug-ins:\r\n\r\n\r\n";
// "Name:" (5) to 20, "Description:" (32) to 70, "Version:" (78) to 80, "Command:" (88) to 95.
const std::string kHeader = "Name:" + std::string(15, ' ') + "Description:" + std::string(38, ' ') +
                            "Version:" + std::string(2, ' ') + "Command:" + std::string(7, ' ') +
                            "Path:\r\n\r\n";
const std::string kFooter = "\r\nLibraries marked with '*' are Plug-ins.\r\n";

// Records that the test owns, linked as the host links them.
struct Tree {
    std::deque<PluginInfoNode> nodes;
    PluginInfoNode* Add(const char* name, uintptr_t flags = 0) {
        nodes.push_back(PluginRecord(flags, name, "d", "v", "c", "p"));
        return &nodes.back();
    }
};

std::string Body(const std::string& text) {
    const size_t start = kTitle.size() + kHeader.size();
    if (text.compare(0, start, kTitle + kHeader) != 0 || text.size() < start + kFooter.size() ||
        text.compare(text.size() - kFooter.size(), kFooter.size(), kFooter) != 0)
        return "<frame broken>";
    return text.substr(start, text.size() - start - kFooter.size());
}

TEST(PluginProtocol, ANullRootGivesTitleHeaderAndFooterOnly) {
    EXPECT_EQ(kTitle + kHeader + kFooter, PluginProtocolText(nullptr));
}

// One record at depth 0 against its line, the columns counted by hand.
TEST(PluginProtocol, FieldsStandInTheirColumns) {
    struct Case {
        const char* what;
        const char *name, *description, *version, *command, *path;
        uintptr_t flags;
        std::string line;
    };
    const std::string n25(25, 'n'), d60(60, 'd'), v10(10, 'v'), c15(15, 'c');
    const Case cases[] = {
        {"plain", "gui.dll", "GUI", "2.4", "", "C:\\gui.dll", 0,
         "gui.dll" + std::string(13, ' ') + "GUI" + std::string(47, ' ') + "2.4" +
             std::string(7, ' ') + std::string(15, ' ') + "C:\\gui.dll\r\n"},
        {"a 25-character name is followed by a comma", n25.c_str(), "D", "1", "X", "P", 0,
         n25 + ",D" + std::string(70 - 27, ' ') + "1" + std::string(9, ' ') + "X" +
             std::string(14, ' ') + "P\r\n"},
        {"a plug-in's mark counts toward the column", "trace.dll", "T", "1", "TR", "P",
         PluginFlags::plugin,
         "trace.dll*" + std::string(10, ' ') + "T" + std::string(49, ' ') + "1" +
             std::string(9, ' ') + "TR" + std::string(13, ' ') + "P\r\n"},
        {"texts that reach their next column exactly get a comma", "a", d60.c_str(), v10.c_str(),
         c15.c_str(), "P", 0,
         "a" + std::string(19, ' ') + d60 + "," + v10 + "," + c15 + "," + "P\r\n"},
        {"null texts are empty", nullptr, nullptr, nullptr, nullptr, nullptr, 0,
         std::string(95, ' ') + "\r\n"},
    };
    for (const Case& c : cases) {
        PluginInfoNode node =
            PluginRecord(c.flags, c.name, c.description, c.version, c.command, c.path);
        EXPECT_EQ(c.line, Body(PluginProtocolText(&node))) << c.what;
    }
}

// A record, its children, then its siblings; one blank a level; hidden subtrees left out.
TEST(PluginProtocol, TheTreeIsWrittenDepthFirstWithoutHiddenSubtrees) {
    Tree t;
    PluginInfoNode* host = t.Add("host", PluginFlags::expanded);
    PluginInfoNode* a = t.Add("a", PluginFlags::plugin);
    PluginInfoNode* a1 = t.Add("a1", PluginFlags::collapsed);
    PluginInfoNode* a11 = t.Add("a11");
    PluginInfoNode* hidden4 = t.Add("h4", PluginFlags::hidden);
    PluginInfoNode* hidden4Child = t.Add("h4c");
    PluginInfoNode* hidden8 = t.Add("h8", PluginFlags::hidden2);
    PluginInfoNode* b = t.Add("b");
    PluginInfoNode* next = t.Add("next");
    host->firstChild = a;
    host->next = next;
    a->firstChild = a1;
    a1->firstChild = a11;
    a->next = hidden4;
    hidden4->firstChild = hidden4Child;
    hidden4->next = hidden8;
    hidden8->next = b;
    auto line = [](const std::string& lead) {
        return lead + std::string(20 - lead.size(), ' ') + "d" + std::string(49, ' ') + "v" +
               std::string(9, ' ') + "c" + std::string(14, ' ') + "p\r\n";
    };
    EXPECT_EQ(line("host") + line(" a*") + line("  a1") + line("   a11") + line(" b") +
                  line("next"),
              Body(PluginProtocolText(host)));
}

// Bad host data: the walk ends, each record is written once, nothing past the depth bound, and
// the protocol says that it is cut.
TEST(PluginProtocol, DeepCyclicAndHugeTreesAreWrittenBoundedAndSaySo) {
    const std::string note = "were left out.";
    {
        Tree t;
        PluginInfoNode* root = t.Add("r");
        PluginInfoNode* last = root;
        for (int i = 0; i < 10000; ++i) {
            last->firstChild = t.Add("r");
            last = last->firstChild;
        }
        const std::string text = PluginProtocolText(root);
        EXPECT_NE(std::string::npos, text.find(note));
        EXPECT_NE(std::string::npos, text.find(std::string(kMaxPluginDepth - 1, ' ') + "r,"));
        EXPECT_EQ(std::string::npos, text.find(std::string(kMaxPluginDepth, ' ') + "r"));
    }
    {
        Tree t;
        PluginInfoNode* root = t.Add("root");
        PluginInfoNode* child = t.Add("child");
        root->firstChild = child;
        child->firstChild = root; // back to the top
        child->next = child;      // and round itself
        root->next = root;
        const std::string text = PluginProtocolText(root);
        EXPECT_NE(std::string::npos, text.find(note));
        EXPECT_EQ(1u, [&] {
            size_t n = 0;
            for (size_t at = text.find("child"); at != std::string::npos;
                 at = text.find("child", at + 1))
                ++n;
            return n;
        }());
    }
    {
        const std::string huge(65536, 'x');
        PluginInfoNode node = PluginRecord(0, huge.c_str(), huge.c_str(), "1", nullptr, nullptr);
        EXPECT_EQ(huge + "," + huge + ",1,,\r\n", Body(PluginProtocolText(&node)));
    }
}

TEST(PluginProtocolFile, WrittenWholeOrNotAtAllWithAReason) {
    const std::wstring good = TempFilePath(L"mox_protocol_test.txt");
    CString error;
    ASSERT_TRUE(WriteProtocolFile(good.c_str(), "first\r\n", error));
    ASSERT_TRUE(WriteProtocolFile(good.c_str(), "short", error)); // emptied first
    EXPECT_EQ("short", ReadFileBytes(good).value_or("<missing>"));

    const std::wstring missing = TempFilePath(L"mox_no_such_folder\\protocol.txt");
    EXPECT_FALSE(WriteProtocolFile(missing.c_str(), "text", error));
    EXPECT_FALSE(error.IsEmpty());
    EXPECT_FALSE(ReadFileBytes(missing).has_value());

    // A name the system will not open as a file (read-only files are writable to the
    // administrator Wine runs the tests as, so a folder stands in for them).
    const std::wstring folderName = TempFilePath(L"mox_protocol_folder.txt");
    ::CreateDirectoryW(folderName.c_str(), nullptr);
    error.Empty();
    EXPECT_FALSE(WriteProtocolFile(folderName.c_str(), "replaced", error));
    EXPECT_FALSE(error.IsEmpty());
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(folderName.c_str()));
    ::RemoveDirectoryW(folderName.c_str());
    ::DeleteFileW(good.c_str());
}

} // namespace
