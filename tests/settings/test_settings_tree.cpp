#include "settings_test_support.h"
#include "toolbars/registry.h"
#include "toolbars/settings/settings_tree.h"
#include "toolbars/settings/settings_tree_strategy.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

using settest::TempIni;
using settest::TestKey;
using Node = SECPersistentTreeNode;

namespace {

std::vector<BYTE> Blob(size_t size, unsigned seed) {
    std::vector<BYTE> data(size);
    for (size_t i = 0; i < size; i++) {
        seed = seed * 1103515245u + 12345u;
        data[i] = (BYTE)(seed >> 16);
    }
    return data;
}

std::vector<BYTE> ReadBinary(Node& node, const wchar_t* key, DWORD& result) {
    BYTE* p = NULL;
    UINT size = 0;
    result = node.GetBinaryValue(key, &p, &size);
    std::unique_ptr<BYTE[]> owned(p);
    return std::vector<BYTE>(p, p + size);
}

// A text form of a tree: pairs and children sorted, since the two media order them their own
// way.
std::wstring Dump(const Node& node) {
    std::map<std::wstring, std::wstring> pairs;
    for (POSITION pos = node.GetPairs().GetHeadPosition(); pos != NULL;) {
        const Node::SECPersTreeNodeKeyValuePair* pair = node.GetPairs().GetNext(pos);
        pairs[pair->m_strKey.str()] = pair->m_strValue.str();
    }
    std::wstring text = L"[" + node.GetName().str() + L"]";
    for (const auto& pair : pairs)
        text += pair.first + L"=" + pair.second + L";";
    CStringList names;
    node.GetChildNames(names);
    std::map<std::wstring, std::wstring> children;
    for (POSITION pos = names.GetHeadPosition(); pos != NULL;) {
        const CString& name = names.GetNext(pos);
        children[name.str()] = Dump(*node.FindChildNode(name));
    }
    for (const auto& child : children)
        text += L"{" + child.second + L"}";
    return text;
}

// Every typed form, binaries of the sizes around the chunk boundary included.
void Fill(Node& node, int seed) {
    node.SetStringValue(L"name", (L"node " + std::to_wstring(seed)).c_str());
    node.SetStringValue(L"empty", L"");
    node.SetStringValue(L"long", std::wstring(1000, (wchar_t)(L'a' + seed)).c_str());
    node.SetIntValue(L"int", -12345 - seed);
    node.SetIntValue(L"max", 2147483647);
    node.SetBoolValue(L"yes", TRUE);
    node.SetBoolValue(L"no", FALSE);
    for (size_t size : {0, 1, 125, 126, 1000}) {
        std::vector<BYTE> blob = Blob(size, (unsigned)(size + seed));
        node.SetBinaryValue((L"bin" + std::to_wstring(size)).c_str(), blob.data(), (UINT)size);
    }
}

void CheckTyped(Node& node, int seed) {
    CString text;
    EXPECT_EQ(0u, node.GetStringValue(L"name", text));
    EXPECT_EQ(L"node " + std::to_wstring(seed), text.str());
    EXPECT_EQ(0u, node.GetStringValue(L"long", text));
    EXPECT_EQ(1000, text.GetLength());
    int n = 0;
    long l = 0;
    UINT u = 0;
    DWORD dw = 0;
    EXPECT_EQ(0u, node.GetIntValue(L"int", &n));
    EXPECT_EQ(0u, node.GetIntValue(L"int", &l));
    EXPECT_EQ(0u, node.GetIntValue(L"int", &u));
    EXPECT_EQ(0u, node.GetIntValue(L"max", &dw));
    EXPECT_EQ(-12345 - seed, n);
    EXPECT_EQ(-12345L - seed, l);
    EXPECT_EQ((UINT)(-12345 - seed), u);
    EXPECT_EQ(2147483647u, dw);
    BOOL yes = FALSE, no = TRUE;
    EXPECT_EQ(0u, node.GetBoolValue(L"yes", &yes));
    EXPECT_EQ(0u, node.GetBoolValue(L"no", &no));
    EXPECT_TRUE(yes);
    EXPECT_FALSE(no);
    for (size_t size : {0, 1, 125, 126, 1000}) {
        DWORD result = 1;
        EXPECT_EQ(Blob(size, (unsigned)(size + seed)),
                  ReadBinary(node, (L"bin" + std::to_wstring(size)).c_str(), result))
            << size;
        EXPECT_EQ(0u, result) << size;
    }
}

// Root > {Alpha > Leaf, Beta}, every node filled.
void BuildThreeLevels(Node& root) {
    ASSERT_EQ(0u, root.Create(L"Root"));
    Node* alpha = root.CreateChildNode(L"Alpha", &root);
    Node* beta = root.CreateChildNode(L"Beta", &root);
    ASSERT_TRUE(alpha && beta);
    Node* leaf = alpha->CreateChildNode(L"Leaf", alpha);
    ASSERT_TRUE(leaf);
    Fill(root, 0);
    Fill(*alpha, 1);
    Fill(*beta, 2);
    Fill(*leaf, 3);
}

void CheckRoundTrip(SECPTNStrategy& strategy) {
    Node saved;
    BuildThreeLevels(saved);
    ASSERT_TRUE(saved.SaveNode(&strategy));
    Node loaded;
    ASSERT_EQ(0u, loaded.Create(L"Root"));
    ASSERT_TRUE(loaded.LoadNode(&strategy));
    EXPECT_TRUE(Dump(saved) == Dump(loaded));
    CheckTyped(loaded, 0);
    Node* leaf = loaded.FindChildNode(L"Alpha")->FindChildNode(L"Leaf");
    ASSERT_NE(nullptr, leaf);
    CheckTyped(*leaf, 3);

    // Saving again after the tree shrank leaves nothing of the larger tree behind.
    ASSERT_EQ(0u, saved.DeleteValue(L"long"));
    saved.SetBinaryValue(L"bin1000", Blob(3, 1).data(), 3);
    ASSERT_TRUE(saved.SaveNode(&strategy));
    Node again;
    again.Create(L"Root");
    ASSERT_TRUE(again.LoadNode(&strategy));
    EXPECT_TRUE(Dump(saved) == Dump(again));
}

Node* Chain(Node& root, int depth) {
    Node* node = &root;
    for (int i = 1; i < depth; i++)
        node = node->CreateChildNode((L"n" + std::to_wstring(i)).c_str(), node);
    return node;
}

int Depth(const Node& root) {
    int depth = 1;
    const Node* node = &root;
    while (node->GetChildCount() == 1) {
        CStringList names;
        node->GetChildNames(names);
        node = node->FindChildNode(names.GetHead());
        depth++;
    }
    return depth;
}

} // namespace

TEST(SettingsTree, ResultCodes) {
    Node node;
    EXPECT_EQ(Node::ptnNotCreated, node.SetStringValue(L"k", L"v"));
    EXPECT_EQ(Node::ptnNotCreated, node.SetBinaryValue(L"k", (const BYTE*)"x", 1));
    EXPECT_EQ(Node::ptnNotCreated, node.AddChild(&node));
    EXPECT_FALSE(node.SaveNode(NULL));
    EXPECT_EQ(Node::ptnNoName, node.Create(L""));
    EXPECT_EQ(0u, node.Create(L"Top"));
    EXPECT_EQ(Node::ptnAlreadyCreated, node.Create(L"Again"));
    EXPECT_EQ(Node::ptnNoKey, node.SetStringValue(L"", L"v"));
    EXPECT_EQ(0u, node.SetStringValue(L"k", L"old"));
    EXPECT_EQ(Node::ptnKeyExists, node.SetStringValue(L"K", L"new", FALSE));
    EXPECT_EQ(Node::ptnKeyExists, node.SetBinaryValue(L"k", (const BYTE*)"x", 1, FALSE));
    CString text;
    EXPECT_EQ(0u, node.GetStringValue(L"k", text));
    EXPECT_EQ(L"old", text.str());
    EXPECT_EQ(Node::ptnNoSuchKey, node.GetStringValue(L"missing", text, L"dflt"));
    EXPECT_EQ(L"dflt", text.str());
    EXPECT_EQ(Node::ptnNoSuchKey, node.DeleteValue(L"missing"));
    EXPECT_EQ(Node::ptnNoData, node.SetBinaryValue(L"b", NULL, 4));
    EXPECT_EQ(Node::ptnNoData, node.GetBinaryValue(L"k", NULL, NULL));
    EXPECT_EQ(Node::ptnNoName, node.AddChild(NULL));

    // A second child of the same name (in any case) is refused, and its factory keeps nothing.
    ASSERT_NE(nullptr, node.CreateChildNode(L"Child", &node));
    EXPECT_EQ(nullptr, node.CreateChildNode(L"CHILD", &node));
    Node foreign;
    foreign.Create(L"child");
    EXPECT_EQ(Node::ptnChildExists, node.AddChild(&foreign));
    Node loose;
    EXPECT_EQ(Node::ptnChildExists, loose.Create(L"Child", &node));
    EXPECT_FALSE(loose.IsCreated());
    EXPECT_EQ(1, node.GetChildCount());

    // Deleting keeps the order of the others.
    node.SetStringValue(L"a", L"1");
    node.SetStringValue(L"b", L"2");
    EXPECT_EQ(0u, node.DeleteValue(L"a"));
    std::vector<std::wstring> keys;
    for (POSITION pos = node.GetPairs().GetHeadPosition(); pos != NULL;)
        keys.push_back(node.GetPairs().GetNext(pos)->m_strKey.str());
    EXPECT_EQ((std::vector<std::wstring>{L"k", L"b"}), keys);

    // Paths run innermost first.
    Node* child = node.FindChildNode(L"child");
    Node* grandchild = child->CreateChildNode(L"G", child);
    ASSERT_NE(nullptr, grandchild);
    CStringList path;
    grandchild->GetNodePath(path);
    ASSERT_EQ(3, (int)path.GetCount());
    EXPECT_EQ(L"G", path.GetHead().str());
    EXPECT_EQ(L"Top", path.GetTail().str());
}

TEST(SettingsTree, TypedValues) {
    Node node;
    node.Create(L"Top");
    struct {
        const wchar_t* text;
        BOOL expected;
    } bools[] = {{L"true", TRUE}, {L"TRUE", TRUE}, {L"True", TRUE}, {L"tRuE", TRUE},
                 {L"1", FALSE},   {L"yes", FALSE}, {L"", FALSE},    {L"true ", FALSE}};
    for (const auto& row : bools) {
        node.SetStringValue(L"b", row.text);
        BOOL value = !row.expected;
        EXPECT_EQ(0u, node.GetBoolValue(L"b", &value));
        EXPECT_EQ(row.expected, value) << row.text;
    }
    BOOL value = FALSE;
    EXPECT_EQ(Node::ptnNoSuchKey, node.GetBoolValue(L"none", &value, TRUE));
    EXPECT_TRUE(value);
    int n = 0;
    EXPECT_EQ(Node::ptnNoSuchKey, node.GetIntValue(L"none", &n, 42));
    EXPECT_EQ(42, n);

    // One byte, two letters: the low half first.
    const BYTE byte = 0x5C;
    node.SetBinaryValue(L"one", &byte, 1);
    CString text;
    node.GetStringValue(L"one", text);
    EXPECT_EQ(L"MF", text.str());

    // 125 bytes fit one value; 126 need two chunks and a count.
    std::vector<BYTE> blob = Blob(126, 9);
    node.SetBinaryValue(L"fits", blob.data(), 125);
    node.GetStringValue(L"fits", text);
    EXPECT_EQ(250, text.GetLength());
    node.SetBinaryValue(L"split", blob.data(), 126);
    EXPECT_EQ(Node::ptnNoSuchKey, node.GetStringValue(L"split", text));
    node.GetStringValue(L"split_BinVal0", text);
    EXPECT_EQ(250, text.GetLength());
    node.GetStringValue(L"split_BinVal1", text);
    EXPECT_EQ(2, text.GetLength());
    node.GetStringValue(L"split_BinCount", text);
    EXPECT_EQ(L"2", text.str());

    // Rewrites of another size leave nothing of the earlier value to be read back.
    const size_t sizes[] = {1000, 10, 1000, 126, 0, 300};
    for (size_t size : sizes) {
        std::vector<BYTE> data = Blob(size, (unsigned)size);
        ASSERT_EQ(0u, node.SetBinaryValue(L"re", data.data(), (UINT)size));
        DWORD result = 1;
        EXPECT_EQ(data, ReadBinary(node, L"re", result)) << size;
        EXPECT_EQ(0u, result);
        int stored = 0;
        for (POSITION pos = node.GetPairs().GetHeadPosition(); pos != NULL;) {
            if (node.GetPairs().GetNext(pos)->m_strKey.Left(2) == L"re")
                stored++;
        }
        const int expected = size * 2 <= 250 ? 1 : (int)(size * 2 + 249) / 250 + 1;
        EXPECT_EQ(expected, stored) << size;
    }
}

TEST(SettingsTree, RoundTripThroughAnIniFile) {
    TempIni ini;
    SECPTNStrategyProfile strategy(ini.Path().c_str());
    CheckRoundTrip(strategy);
    EXPECT_NE(std::string::npos, ini.Contents().find("[Root.Alpha.Leaf]"));
    EXPECT_NE(std::string::npos, ini.Contents().find("ptn_Child2=Beta"));
}

TEST(SettingsTree, RoundTripThroughTheRegistry) {
    TestKey key(L"SettingsTree");
    SECPTNStrategyRegistry strategy(key.Path().c_str(), HKEY_CURRENT_USER);
    CheckRoundTrip(strategy);
    EXPECT_TRUE(key.Exists(L"Root\\Alpha\\Leaf"));
    DWORD type = 0, size = 0;
    ASSERT_TRUE(key.QueryRaw(L"Root\\Beta", L"bin1000_BinCount", type, size));
    EXPECT_EQ((DWORD)REG_SZ, type);
}

TEST(SettingsTree, DamagedBinaryTextIsRefused) {
    Node node;
    node.Create(L"Top");
    node.SetStringValue(L"ok_BinVal0", L"ABAB");
    node.SetStringValue(L"ok_BinVal1", L"CA");
    struct {
        const wchar_t* key;
        const wchar_t* count; // NULL: a plain value
        const wchar_t* text;
    } rows[] = {
        {L"ok", L"x2", NULL},         // count not a number
        {L"ok", L"-1", NULL},         // nor a negative one
        {L"ok", L"0", NULL},          // no chunks
        {L"ok", L"3", NULL},          // beyond the chunks
        {L"ok", L"4000000000", NULL}, // far beyond: no block of that size
        {L"odd", NULL, L"ABC"},       // odd length
        {L"range", NULL, L"AQ"},      // a letter past "P"
        {L"lower", NULL, L"ab"},      // lower case
        {L"absent", NULL, NULL},      // no text at all
    };
    for (const auto& row : rows) {
        if (row.count)
            node.SetStringValue((std::wstring(row.key) + L"_BinCount").c_str(), row.count);
        if (row.text)
            node.SetStringValue(row.key, row.text);
        DWORD result = 0;
        EXPECT_TRUE(ReadBinary(node, row.key, result).empty()) << row.key;
        EXPECT_EQ(Node::ptnFailed, result) << row.key << " " << (row.count ? row.count : L"");
    }
    node.SetStringValue(L"ok_BinCount", L"2");
    DWORD result = 1;
    EXPECT_EQ((std::vector<BYTE>{0x10, 0x10, 0x02}), ReadBinary(node, L"ok", result));
    EXPECT_EQ(0u, result);
}

TEST(SettingsTree, BadInputToTheMedia) {
    // Text that would change the ini file's structure: that write fails, the rest is saved.
    {
        TempIni ini;
        SECPTNStrategyProfile strategy(ini.Path().c_str());
        Node root;
        root.Create(L"Root");
        root.SetStringValue(L"good", L"kept");
        root.SetStringValue(L"bad\nkey", L"v");
        root.SetStringValue(L"value", L"line1\r\n[Injected]\r\nx=1");
        root.SetStringValue(L"a=b", L"v");
        root.SetStringValue(L"ptn_Child9", L"Ghost");
        root.SetStringValue(L" padded", L"v");
        root.SetStringValue(L"spaces", L" around ");
        root.SetStringValue(L"quoted", L"\"q\"");
        root.SetStringValue(L"after", L"kept too");
        Node* broken = root.CreateChildNode(L"Bro\nken", &root);
        ASSERT_NE(nullptr, broken);
        broken->SetStringValue(L"k", L"v");
        Node* dotted = root.CreateChildNode(L"Dot.ted", &root);
        ASSERT_NE(nullptr, dotted);
        root.CreateChildNode(L"Fine", &root)->SetStringValue(L"k", L"v");
        EXPECT_FALSE(root.SaveNode(&strategy));

        Node loaded;
        loaded.Create(L"Root");
        loaded.LoadNode(&strategy);
        CString text;
        EXPECT_EQ(0u, loaded.GetStringValue(L"good", text));
        EXPECT_EQ(0u, loaded.GetStringValue(L"after", text));
        EXPECT_EQ(L"kept too", text.str());
        EXPECT_EQ(2, (int)loaded.GetPairs().GetCount());
        EXPECT_EQ(1, loaded.GetChildCount());
        EXPECT_NE(nullptr, loaded.FindChildNode(L"Fine"));
        EXPECT_EQ(nullptr, loaded.FindChildNode(L"Ghost"));
        const std::string file = ini.Contents();
        EXPECT_EQ(std::string::npos, file.find("Injected"));
        EXPECT_EQ(std::string::npos, file.find("ken"));
    }
    // Values of other types in a node's key are passed over; the rest loads.
    {
        TestKey key(L"SettingsBad");
        key.CreateKey(L"Root\\Child");
        const DWORD dw = 7;
        key.SetRaw(L"Root", L"number", REG_DWORD, &dw, 4);
        key.SetRaw(L"Root", L"text", REG_SZ, L"yes", 8);
        key.SetRaw(L"Root", L"blob", REG_BINARY, "xyz", 3);
        const std::wstring longName(5000, L'n');
        key.SetRaw(L"Root", longName.c_str(), REG_SZ, L"long name", 20);
        key.SetRaw(L"Root", L"more", REG_SZ, L"too", 8);
        SECPTNStrategyRegistry strategy(key.Path().c_str(), HKEY_CURRENT_USER);
        Node loaded;
        loaded.Create(L"Root");
        EXPECT_TRUE(loaded.LoadNode(&strategy));
        // A long name is read whole, never cut into another pair's name.
        EXPECT_TRUE(L"[Root]more=too;" + longName + L"=long name;text=yes;{[Child]}" ==
                    Dump(loaded));
        // A node name that would name another key is refused.
        Node odd;
        odd.Create(L"Ro\\ot");
        EXPECT_FALSE(odd.SaveNode(&strategy));
        EXPECT_FALSE(key.Exists(L"Ro"));
    }
    // Ini: values past 255 characters and sections with more than 8192 characters of key names
    // are read whole.
    {
        TempIni ini;
        SECPTNStrategyProfile strategy(ini.Path().c_str());
        Node root;
        root.Create(L"Root");
        for (int i = 0; i < 400; i++)
            root.SetIntValue((L"a_rather_long_key_name_number_" + std::to_wstring(i)).c_str(), i);
        root.SetStringValue(L"long", std::wstring(5000, L'z').c_str());
        ASSERT_TRUE(root.SaveNode(&strategy));
        CStringList keys;
        ASSERT_TRUE(strategy.GetSectionKeys(L"Root", keys));
        EXPECT_EQ(401, (int)keys.GetCount());
        EXPECT_FALSE(strategy.GetSectionKeys(L"", keys));
        Node loaded;
        loaded.Create(L"Root");
        ASSERT_TRUE(loaded.LoadNode(&strategy));
        EXPECT_TRUE(Dump(root) == Dump(loaded));
    }
}

TEST(SettingsTree, TreesTwoHundredLevelsDeep) {
    TempIni ini;
    TestKey key(L"SettingsDeep");
    SECPTNStrategyProfile profile(ini.Path().c_str());
    SECPTNStrategyRegistry registry(key.Path().c_str(), HKEY_CURRENT_USER);
    for (SECPTNStrategy* strategy : {(SECPTNStrategy*)&profile, (SECPTNStrategy*)&registry}) {
        Node root;
        root.Create(L"n0");
        Chain(root, 200)->SetStringValue(L"bottom", L"reached");
        ASSERT_TRUE(root.SaveNode(strategy));
        Node loaded;
        loaded.Create(L"n0");
        ASSERT_TRUE(loaded.LoadNode(strategy));
        EXPECT_EQ(200, Depth(loaded));
        EXPECT_TRUE(Dump(root) == Dump(loaded));
    }
    // And the whole registry tree goes in one call.
    SECRegistry reg;
    ASSERT_TRUE(reg.Connect(HKEY_CURRENT_USER));
    ASSERT_TRUE(reg.Open(key.Path().c_str()));
    EXPECT_TRUE(reg.DeleteKey(L"n0", TRUE));
    EXPECT_FALSE(key.Exists(L"n0"));
}

namespace {

// A tree saved and loaded again through a medium: what SaveNode answered, and whether the tree
// that came back is the one saved.
struct Trip {
    BOOL saved = FALSE;
    BOOL loaded = FALSE;
    bool same = false;
    double saveSeconds = 0;
    double loadSeconds = 0;
};

Trip RoundTrip(SECPTNStrategy& strategy, const std::function<void(Node&)>& build,
               const wchar_t* rootName = L"Root") {
    Trip trip;
    Node saved;
    EXPECT_EQ(0u, saved.Create(rootName));
    build(saved);
    LARGE_INTEGER t0, t1, freq;
    ::QueryPerformanceFrequency(&freq);
    ::QueryPerformanceCounter(&t0);
    trip.saved = saved.SaveNode(&strategy);
    ::QueryPerformanceCounter(&t1);
    trip.saveSeconds = double(t1.QuadPart - t0.QuadPart) / double(freq.QuadPart);
    Node loaded;
    EXPECT_EQ(0u, loaded.Create(rootName));
    ::QueryPerformanceCounter(&t0);
    trip.loaded = loaded.LoadNode(&strategy);
    ::QueryPerformanceCounter(&t1);
    trip.loadSeconds = double(t1.QuadPart - t0.QuadPart) / double(freq.QuadPart);
    trip.same = Dump(saved) == Dump(loaded);
    return trip;
}

const wchar_t kOutsideCodePage[] = L"\u4e2d\u6587 \u0416\u0437 \u05d0 \U0001F600 \u2603";

struct TripCase {
    const char* name;
    std::function<void(Node&)> build;
};

std::vector<TripCase> HardTrees() {
    return {
        {"an empty root", [](Node&) {}},
        {"an empty child beside a full one",
         [](Node& root) {
             root.CreateChildNode(L"Empty", &root);
             Node* full = root.CreateChildNode(L"Full", &root);
             full->SetStringValue(L"k", L"v");
             full->CreateChildNode(L"EmptyGrandchild", full);
         }},
        {"names of 4,095 to 16,383 characters",
         [](Node& root) {
             for (size_t n : {4095u, 4096u, 5000u, 16383u})
                 root.SetStringValue(std::wstring(n, (wchar_t)(L'a' + n % 7)).c_str(),
                                     std::to_wstring(n).c_str());
         }},
        {"a name longer than the registry takes",
         [](Node& root) {
             root.SetStringValue(std::wstring(20000, L'z').c_str(), L"too long");
             root.SetStringValue(L"short", L"kept");
         }},
        {"text outside the code page",
         [](Node& root) {
             root.SetStringValue(L"plain", L"ascii");
             root.SetStringValue(kOutsideCodePage, kOutsideCodePage);
             Node* child = root.CreateChildNode(L"\u0416child", &root);
             child->SetStringValue(L"v", kOutsideCodePage);
         }},
    };
}

// What is saved comes back, or the save says FALSE.
void ExpectNoLossySave(SECPTNStrategy& strategy, const TripCase& c) {
    const Trip trip = RoundTrip(strategy, c.build);
    if (trip.saved) {
        EXPECT_TRUE(trip.loaded) << c.name;
        EXPECT_TRUE(trip.same) << c.name << ": the save answered TRUE and the tree changed";
    }
}

void FillMany(Node& root, int nValues) {
    for (int i = 0; i < nValues; ++i)
        root.SetStringValue((L"value" + std::to_wstring(i)).c_str(),
                            (L"text " + std::to_wstring(i * 7)).c_str());
}

const std::vector<BYTE>& Megabyte() {
    static const std::vector<BYTE> data = Blob(1u << 20, 99);
    return data;
}

} // namespace

TEST(SettingsTreeUnderStrain, TheRegistryGivesBackWhatItSaid) {
    for (const TripCase& c : HardTrees()) {
        TestKey key(L"SettingsStrain");
        SECPTNStrategyRegistry strategy(key.Path().c_str(), HKEY_CURRENT_USER);
        ExpectNoLossySave(strategy, c);
    }
    // The cases the registry holds come back whole, the empty nodes as nodes.
    for (int i : {0, 1, 2, 4}) {
        TestKey key(L"SettingsStrain");
        SECPTNStrategyRegistry strategy(key.Path().c_str(), HKEY_CURRENT_USER);
        const Trip trip = RoundTrip(strategy, HardTrees()[(size_t)i].build);
        EXPECT_TRUE(trip.saved && trip.loaded && trip.same) << HardTrees()[(size_t)i].name;
    }
    TestKey key(L"SettingsStrain");
    SECPTNStrategyRegistry strategy(key.Path().c_str(), HKEY_CURRENT_USER);
    EXPECT_FALSE(RoundTrip(strategy, HardTrees()[3].build).saved);
}

TEST(SettingsTreeUnderStrain, TheIniFileGivesBackWhatItSaid) {
    for (const TripCase& c : HardTrees()) {
        TempIni ini;
        SECPTNStrategyProfile strategy(ini.Path().c_str());
        ExpectNoLossySave(strategy, c);
    }
    // Text outside the code page makes the file UTF-16; an ANSI file written before keeps what
    // it held.
    TempIni ini;
    ::WritePrivateProfileStringW(L"Other", L"kept", L"before", ini.Path().c_str());
    SECPTNStrategyProfile strategy(ini.Path().c_str());
    const Trip trip = RoundTrip(strategy, HardTrees()[4].build);
    EXPECT_TRUE(trip.saved && trip.loaded && trip.same);
    wchar_t text[32] = {};
    ::GetPrivateProfileStringW(L"Other", L"kept", L"", text, 32, ini.Path().c_str());
    EXPECT_STREQ(L"before", text);
    const std::string bytes = ini.Contents();
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ("\xFF\xFE", bytes.substr(0, 2));
}

namespace {

// Stores a node's pairs straight through the system, each medium in its quickest way (one open
// key; one section write), so that the load of a large node is measured without the per-pair
// writes of saving it.
void StoreDirectly(const Node& node, const TestKey* key, const TempIni* ini) {
    const auto& pairs = node.GetPairs();
    if (key != nullptr) {
        HKEY hKey = NULL;
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExW(HKEY_CURRENT_USER, key->Path(L"Root").c_str(), 0,
                                                   NULL, 0, KEY_ALL_ACCESS, NULL, &hKey, NULL));
        for (POSITION pos = pairs.GetHeadPosition(); pos != NULL;) {
            const Node::SECPersTreeNodeKeyValuePair* pair = pairs.GetNext(pos);
            ::RegSetValueExW(hKey, pair->m_strKey, 0, REG_SZ,
                             (const BYTE*)(LPCWSTR)pair->m_strValue,
                             (DWORD)((pair->m_strValue.GetLength() + 1) * sizeof(wchar_t)));
        }
        ::RegCloseKey(hKey);
        return;
    }
    std::wstring lines;
    for (POSITION pos = pairs.GetHeadPosition(); pos != NULL;) {
        const Node::SECPersTreeNodeKeyValuePair* pair = pairs.GetNext(pos);
        lines += pair->m_strKey.str() + L"=" + pair->m_strValue.str();
        lines += L'\0';
    }
    lines += L'\0';
    ASSERT_TRUE(::WritePrivateProfileSectionW(L"Root", lines.c_str(), ini->Path().c_str()));
}

double Seconds(const std::function<void()>& work) {
    LARGE_INTEGER t0, t1, freq;
    ::QueryPerformanceFrequency(&freq);
    ::QueryPerformanceCounter(&t0);
    work();
    ::QueryPerformanceCounter(&t1);
    return double(t1.QuadPart - t0.QuadPart) / double(freq.QuadPart);
}

} // namespace

// Many values and one large binary value load back whole, in time that grows with their number
// (the times are printed, not judged).
TEST(SettingsTreeUnderStrain, ManyValuesAndAMegabyte) {
    struct {
        const char* name;
        bool registry;
        int values;
    } cases[] = {{"registry, 50,000 values", true, 50000},
                 {"registry, 1 MB binary", true, 0},
                 {"ini, 10,000 values", false, 10000},
                 {"ini, 50,000 values", false, 50000},
                 {"ini, 1 MB binary", false, 0}};
    for (const auto& c : cases) {
        TestKey key(L"SettingsMany");
        TempIni ini;
        Node saved;
        saved.Create(L"Root");
        if (c.values > 0)
            FillMany(saved, c.values);
        else
            saved.SetBinaryValue(L"blob", Megabyte().data(), (UINT)Megabyte().size());
        StoreDirectly(saved, c.registry ? &key : nullptr, c.registry ? nullptr : &ini);
        std::unique_ptr<SECPTNStrategy> strategy;
        if (c.registry)
            strategy.reset(new SECPTNStrategyRegistry(key.Path().c_str(), HKEY_CURRENT_USER));
        else
            strategy.reset(new SECPTNStrategyProfile(ini.Path().c_str()));
        Node loaded;
        loaded.Create(L"Root");
        BOOL bLoaded = FALSE;
        const double seconds = Seconds([&] { bLoaded = loaded.LoadNode(strategy.get()); });
        EXPECT_TRUE(bLoaded) << c.name;
        EXPECT_TRUE(Dump(saved) == Dump(loaded)) << c.name;
        printf("[ load time ] %s: %.3f s\n", c.name, seconds);
    }
    // A megabyte saved by the tree itself comes back whole.
    {
        TestKey key(L"SettingsMany");
        SECPTNStrategyRegistry strategy(key.Path().c_str(), HKEY_CURRENT_USER);
        const Trip trip = RoundTrip(strategy, [](Node& root) {
            root.SetBinaryValue(L"blob", Megabyte().data(), (UINT)Megabyte().size());
        });
        EXPECT_TRUE(trip.saved && trip.loaded && trip.same);
        printf(
            "[ load time ] registry, 1 MB binary saved by the tree: %.3f s (saving took %.3f s)\n",
            trip.loadSeconds, trip.saveSeconds);
    }
    // Setting and reading back a megabyte in memory.
    Node node;
    node.Create(L"Top");
    const double set = Seconds([&] {
        ASSERT_EQ(0u, node.SetBinaryValue(L"blob", Megabyte().data(), (UINT)Megabyte().size()));
    });
    DWORD result = 1;
    std::vector<BYTE> back;
    const double read = Seconds([&] { back = ReadBinary(node, L"blob", result); });
    EXPECT_EQ(Megabyte(), back);
    EXPECT_EQ(0u, result);
    printf("[ load time ] 1 MB binary in memory: set %.3f s, read %.3f s\n", set, read);
}

// Many values and a megabyte saved by the tree itself come back whole; the save times are
// printed (not judged): each medium's save grows with the number of values, not its square.
TEST(SettingsTreeUnderStrain, ManyValuesSavedByTheTree) {
    struct {
        const char* name;
        bool registry;
        int values;
    } cases[] = {{"ini, 10,000 values", false, 10000},
                 {"ini, 1 MB binary", false, 0},
                 {"registry, 50,000 values", true, 50000}};
    for (const auto& c : cases) {
        auto build = [&](Node& root) {
            if (c.values > 0)
                FillMany(root, c.values);
            else
                root.SetBinaryValue(L"blob", Megabyte().data(), (UINT)Megabyte().size());
            root.CreateChildNode(L"Child", &root)->SetStringValue(L"k", L"v");
        };
        TestKey key(L"SettingsSaveMany");
        TempIni ini;
        std::unique_ptr<SECPTNStrategy> strategy;
        if (c.registry)
            strategy.reset(new SECPTNStrategyRegistry(key.Path().c_str(), HKEY_CURRENT_USER));
        else
            strategy.reset(new SECPTNStrategyProfile(ini.Path().c_str()));
        const Trip trip = RoundTrip(*strategy, build);
        EXPECT_TRUE(trip.saved && trip.loaded && trip.same) << c.name;
        printf("[ save time ] %s: save %.3f s, load %.3f s\n", c.name, trip.saveSeconds,
               trip.loadSeconds);
    }
}

// Values written straight into a section just emptied are in the file by the time anything
// reads it: a read through the same strategy, or any reader once the strategy is gone.
TEST(SettingsTree, IniValuesWrittenOutsideASaveReachTheFile) {
    TempIni ini;
    CStringList path;
    path.AddTail(L"Root");
    wchar_t text[32] = {};
    {
        SECPTNStrategyProfile strategy(ini.Path().c_str());
        ASSERT_TRUE(strategy.DeleteSection(path));
        EXPECT_TRUE(strategy.WriteValue(path, L"k", L"v"));
        EXPECT_TRUE(strategy.WriteValue(path, L"K", L"replaced")); // the same key, any case
        CStringList children, keys, values;
        ASSERT_TRUE(strategy.ReadSection(path, children, keys, values));
        ASSERT_EQ(1, (int)keys.GetCount());
        EXPECT_STREQ(L"replaced", values.GetHead());
        EXPECT_TRUE(strategy.DeleteSection(path));
        EXPECT_TRUE(strategy.WriteValue(path, L"later", L"kept"));
    }
    ::GetPrivateProfileStringW(L"Root", L"later", L"", text, 32, ini.Path().c_str());
    EXPECT_STREQ(L"kept", text);
}
