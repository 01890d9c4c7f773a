#include "settings_test_support.h"
#include "toolbars/registry.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using settest::TestKey;

namespace {

class RegistryTest : public ::testing::Test {
protected:
    RegistryTest() : key(L"Registry") {}
    void SetUp() override {
        ASSERT_TRUE(reg.Connect(HKEY_CURRENT_USER));
        ASSERT_TRUE(reg.Open(key.Path().c_str()));
    }
    TestKey key;
    SECRegistry reg;
};

std::wstring Joined(const CStringArray& values) {
    std::wstring text;
    for (INT_PTR i = 0; i < values.GetSize(); i++)
        text += (i ? L"|" : L"") + values[i].str();
    return text;
}

std::wstring BytesText(const CByteArray& data) {
    std::wstring text;
    for (INT_PTR i = 0; i < data.GetSize(); i++)
        text += (wchar_t)data[i];
    return text;
}

enum class Getter { String, Multi, DWord, Binary };

// Reads a value with one getter into a text form, outputs first filled with something, so that
// a failed read shows whether it emptied them.
std::wstring ReadAs(SECRegistry& reg, Getter getter, const wchar_t* name, BOOL& ok) {
    switch (getter) {
    case Getter::String: {
        CString s(L"stale");
        ok = reg.GetValue(name, s);
        return s.str();
    }
    case Getter::Multi: {
        CStringArray a;
        a.Add(L"stale");
        ok = reg.GetValue(name, a);
        return Joined(a);
    }
    case Getter::DWord: {
        DWORD dw = 77;
        ok = reg.GetValue(name, dw);
        return std::to_wstring(dw);
    }
    case Getter::Binary: {
        CByteArray b;
        b.Add(1);
        ok = reg.GetValue(name, b);
        return BytesText(b);
    }
    }
    return L"";
}

} // namespace

TEST_F(RegistryTest, TypedValuesRoundTripWithTheirSizes) {
    CStringArray none, one, three;
    one.Add(L"alpha");
    three.Add(L"a");
    three.Add(L"bb");
    three.Add(L"ccc");
    CByteArray empty, big;
    for (int i = 0; i < 5000; i++)
        big.Add((BYTE)(i * 7));
    struct Row {
        const wchar_t* name;
        std::function<BOOL()> write;
        DWORD type;
        DWORD size;
        Getter getter;
        std::wstring expected;
    } rows[] = {
        {L"empty", [&] { return reg.SetValue(L"empty", CString()); }, REG_SZ, 2, Getter::String,
         L""},
        {L"text", [&] { return reg.SetValue(L"text", CString(L"hello")); }, REG_SZ, 12,
         Getter::String, L"hello"},
        {L"multi0", [&] { return reg.SetValue(L"multi0", none); }, REG_MULTI_SZ, 2, Getter::Multi,
         L""},
        {L"multi1", [&] { return reg.SetValue(L"multi1", one); }, REG_MULTI_SZ, 14, Getter::Multi,
         L"alpha"},
        {L"multi3", [&] { return reg.SetValue(L"multi3", three); }, REG_MULTI_SZ, 20, Getter::Multi,
         L"a|bb|ccc"},
        {L"dword", [&] { return reg.SetValue(L"dword", (DWORD)0xDEADBEEF); }, REG_DWORD, 4,
         Getter::DWord, std::to_wstring(0xDEADBEEFu)},
        {L"bin0", [&] { return reg.SetValue(L"bin0", empty); }, REG_BINARY, 0, Getter::Binary, L""},
        // Larger than anything the key held when it was opened: the read must not trust the
        // sizes the open recorded.
        {L"bin5000", [&] { return reg.SetValue(L"bin5000", big); }, REG_BINARY, 5000,
         Getter::Binary, BytesText(big)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << std::string(row.name, row.name + wcslen(row.name)));
        ASSERT_TRUE(row.write());
        DWORD type = 0, size = 0;
        ASSERT_TRUE(key.QueryRaw(L"", row.name, type, size));
        EXPECT_EQ(row.type, type);
        EXPECT_EQ(row.size, size);
        BOOL ok = FALSE;
        EXPECT_EQ(row.expected, ReadAs(reg, row.getter, row.name, ok));
        EXPECT_TRUE(ok);
        EXPECT_EQ(0, reg.GetErrorCode());
    }
    // Every value is listed once, then the list ends.
    std::vector<std::wstring> names;
    CString name;
    DWORD type = 0;
    while (reg.EnumerateValues((DWORD)names.size(), name, &type))
        names.push_back(name.str());
    EXPECT_EQ(ERROR_NO_MORE_ITEMS, reg.GetErrorCode());
    EXPECT_EQ(sizeof rows / sizeof rows[0], names.size());
}

TEST_F(RegistryTest, ErrorsSixAndEightySeven) {
    SECRegistry remote;
    EXPECT_FALSE(remote.Connect(HKEY_CURRENT_USER, L"otherpc"));
    EXPECT_EQ(ERROR_INVALID_HANDLE, remote.GetErrorCode());
    EXPECT_FALSE(remote.Connect(HKEY_CLASSES_ROOT, L"otherpc"));
    EXPECT_EQ(ERROR_INVALID_HANDLE, remote.GetErrorCode());
    EXPECT_EQ(nullptr, remote.GetKey());

    // Never a whole root, however the empty subkey is spelled.
    SECRegistry root;
    ASSERT_TRUE(root.Connect(HKEY_CURRENT_USER));
    for (const wchar_t* empty : {L"", L"\\"}) {
        EXPECT_FALSE(root.DeleteKey(empty, TRUE));
        EXPECT_EQ(ERROR_INVALID_PARAMETER, root.GetErrorCode());
    }
    EXPECT_TRUE(key.Exists(L""));

    // Missing pointers fail before the system sees them: the system would have taken each of
    // the null names as the key itself or its default value.
    key.SetRaw(L"", L"", REG_SZ, L"default", 16);
    DWORD size = 4;
    BYTE buffer[4];
    CString name;
    DWORD type = 0;
    std::function<BOOL()> calls[] = {
        [&] { return reg.Open(NULL); },
        [&] { return reg.Create(NULL); },
        [&] { return reg.DeleteKey(NULL, TRUE); },
        [&] { return reg.DeleteValue(NULL); },
        [&] { return reg.SetValue(NULL, REG_SZ, (const BYTE*)L"x", 4); },
        [&] { return reg.SetValue(L"v", REG_BINARY, NULL, 4); },
        [&] { return reg.QueryValue(NULL, &type, buffer, &size); },
        [&] { return reg.QueryValue(L"", &type, buffer, NULL); },
        [&] { return reg.EnumerateValues(0, name, &type, buffer, NULL); },
        [&] { return reg.Load(NULL, L"hive"); },
        [&] { return reg.Load(L"sub", NULL); },
        [&] { return reg.UnLoad(NULL); },
        [&] { return reg.Save(NULL); },
        [&] { return reg.Restore(NULL); },
        [&] { return reg.Replace(L"sub", NULL, L"old"); },
        [&] { return reg.Replace(L"sub", L"new", NULL); },
        [&] { return reg.SetSecurity(DACL_SECURITY_INFORMATION, NULL); },
        [&] { return reg.GetSecurity(DACL_SECURITY_INFORMATION, NULL, NULL); },
        [&] { return reg.NotifyChange(NULL, REG_NOTIFY_CHANGE_NAME, FALSE, TRUE); },
    };
    for (size_t i = 0; i < sizeof calls / sizeof calls[0]; i++) {
        EXPECT_FALSE(calls[i]()) << "call " << i;
        EXPECT_EQ(ERROR_INVALID_PARAMETER, reg.GetErrorCode()) << "call " << i;
    }
    CString value;
    EXPECT_TRUE(reg.GetStringValue(L"", value));
    EXPECT_EQ(L"default", value.str());
    EXPECT_EQ(key.Path(), reg.GetKeyName().str());
}

TEST_F(RegistryTest, RecursiveDeleteTakesExactlyTheSubtreeBelowTheCurrentKey) {
    for (const wchar_t* sub : {L"Parent\\Child\\A\\A1\\A2", L"Parent\\Child\\B",
                               L"Parent\\ChildX\\Keep", L"Parent\\Other\\Child\\Deep", L"Child"})
        key.CreateKey(sub);
    ASSERT_TRUE(reg.Open(key.Path(L"Parent").c_str()));

    // A plain name and a path are both taken below the current key, not below the root.
    ASSERT_TRUE(reg.DeleteKey(L"Other\\Child", TRUE)) << reg.GetErrorCode();
    ASSERT_TRUE(reg.DeleteKey(L"Child", TRUE)) << reg.GetErrorCode();
    EXPECT_FALSE(key.Exists(L"Parent\\Child"));
    EXPECT_FALSE(key.Exists(L"Parent\\Other\\Child"));
    EXPECT_TRUE(key.Exists(L"Parent\\Other"));
    EXPECT_TRUE(key.Exists(L"Parent\\ChildX\\Keep"));
    EXPECT_TRUE(key.Exists(L"Child"));

    // The object stays on its key.
    EXPECT_TRUE(reg.SetValue(L"after", (DWORD)1));
    std::vector<std::wstring> names;
    CString name;
    while (reg.EnumerateKeys((DWORD)names.size(), name))
        names.push_back(name.str());
    EXPECT_EQ(ERROR_NO_MORE_ITEMS, reg.GetErrorCode());
    EXPECT_EQ((std::vector<std::wstring>{L"ChildX", L"Other"}), names);
    EXPECT_EQ(names, key.SubkeyNames(L"Parent"));

    // Missing: FALSE with the system's code, nothing else touched.
    EXPECT_FALSE(reg.DeleteKey(L"Child", TRUE));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, reg.GetErrorCode());
}

TEST_F(RegistryTest, BadValuesAreReadWithinTheirBytesOrRefused) {
    const std::wstring longText(10000, L'x');
    std::vector<BYTE> bigBinary(9000);
    for (size_t i = 0; i < bigBinary.size(); i++)
        bigBinary[i] = (BYTE)(i % 251);
    std::wstring bigBinaryText(bigBinary.begin(), bigBinary.end());
    const DWORD dw = 5;
    struct Row {
        const wchar_t* name;
        DWORD type;
        const void* data;
        DWORD size;
        Getter getter;
        BOOL ok;
        LONG error;
        std::wstring expected;
    } rows[] = {
        // Another type than the getter's: FALSE, output emptied.
        {L"dwordAsText", REG_DWORD, &dw, 4, Getter::String, FALSE, ERROR_INVALID_DATATYPE, L""},
        {L"textAsDword", REG_SZ, L"5", 4, Getter::DWord, FALSE, ERROR_INVALID_DATATYPE, L"0"},
        {L"binAsMulti", REG_BINARY, "ab", 2, Getter::Multi, FALSE, ERROR_INVALID_DATATYPE, L""},
        {L"textAsBin", REG_SZ, L"ab", 6, Getter::Binary, FALSE, ERROR_INVALID_DATATYPE, L""},
        {L"shortDword", REG_DWORD, &dw, 2, Getter::DWord, FALSE, ERROR_INVALID_DATA, L"0"},
        // Strings written without their terminators, or with an odd byte.
        {L"unterminated", REG_SZ, L"abcdef", 6, Getter::String, TRUE, 0, L"abc"},
        {L"oddLength", REG_SZ, L"abcdef", 7, Getter::String, TRUE, 0, L"abc"},
        {L"multiNoFinal", REG_MULTI_SZ, L"a\0bc\0", 10, Getter::Multi, TRUE, 0, L"a|bc"},
        {L"multiCut", REG_MULTI_SZ, L"a\0bcd", 8, Getter::Multi, TRUE, 0, L"a|bc"},
        {L"multiOddByte", REG_MULTI_SZ, L"ab\0", 3, Getter::Multi, TRUE, 0, L"a"},
        // Longer than any fixed buffer, and longer than the key's details said at Open.
        {L"longText", REG_SZ, longText.c_str(), (DWORD)(longText.size() + 1) * 2, Getter::String,
         TRUE, 0, longText},
        {L"bigBinary", REG_BINARY, bigBinary.data(), (DWORD)bigBinary.size(), Getter::Binary, TRUE,
         0, bigBinaryText},
    };
    for (const Row& row : rows)
        key.SetRaw(L"", row.name, row.type, row.data, row.size);
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << std::string(row.name, row.name + wcslen(row.name)));
        BOOL ok = !row.ok;
        EXPECT_EQ(row.expected, ReadAs(reg, row.getter, row.name, ok));
        EXPECT_EQ(row.ok, ok);
        EXPECT_EQ(row.error, reg.GetErrorCode());
    }
    // A missing value: the system's code is kept.
    for (Getter getter : {Getter::String, Getter::Multi, Getter::DWord, Getter::Binary}) {
        BOOL ok = TRUE;
        ReadAs(reg, getter, L"missing", ok);
        EXPECT_FALSE(ok);
        EXPECT_EQ(ERROR_FILE_NOT_FOUND, reg.GetErrorCode());
    }
    // A string list with an empty member cannot be stored without losing what follows it.
    CStringArray gap;
    gap.Add(L"a");
    gap.Add(L"");
    gap.Add(L"b");
    EXPECT_FALSE(reg.SetValue(L"gap", gap));
    EXPECT_EQ(ERROR_INVALID_PARAMETER, reg.GetErrorCode());
    DWORD type, size;
    EXPECT_FALSE(key.QueryRaw(L"", L"gap", type, size));
}

TEST_F(RegistryTest, BadKeysAndNames) {
    // Names that fill or pass the first buffers are read whole: never a cut name, never a
    // refusal of a name the registry holds.
    for (size_t nLength : {4095u, 4096u, 5000u, 16383u}) {
        const std::wstring longName(nLength, L'n');
        key.SetRaw(L"", longName.c_str(), REG_DWORD, "\1\0\0\0", 4);
        CString name(L"stale");
        DWORD type = 0;
        ASSERT_TRUE(reg.EnumerateValues(0, name, &type)) << nLength << " " << reg.GetErrorCode();
        EXPECT_TRUE(longName == name.str()) << nLength;
        EXPECT_EQ((DWORD)REG_DWORD, type);
        // With the data: read when it fits, refused with the size needed when it does not.
        BYTE data[4] = {};
        DWORD cbData = sizeof data;
        ASSERT_TRUE(reg.EnumerateValues(0, name, &type, data, &cbData)) << nLength;
        EXPECT_TRUE(longName == name.str()) << nLength;
        EXPECT_EQ(1, data[0]);
        cbData = 2;
        EXPECT_FALSE(reg.EnumerateValues(0, name, &type, data, &cbData)) << nLength;
        EXPECT_EQ(ERROR_MORE_DATA, reg.GetErrorCode());
        EXPECT_EQ(4u, cbData);
        EXPECT_TRUE(name.IsEmpty());
        ASSERT_TRUE(reg.DeleteValue(longName.c_str()));
    }

    CString name(L"stale"), cls(L"stale");
    for (size_t nLength : {4094u, 4095u, 5000u}) {
        const std::wstring longClass(nLength, L'c');
        const std::wstring sub = L"classy" + std::to_wstring(nLength);
        HKEY hSub = NULL;
        ASSERT_EQ(ERROR_SUCCESS,
                  RegCreateKeyExW(HKEY_CURRENT_USER, key.Path(sub.c_str()).c_str(), 0,
                                  (LPWSTR)longClass.c_str(), 0, KEY_ALL_ACCESS, NULL, &hSub, NULL));
        RegCloseKey(hSub);
        ASSERT_TRUE(reg.EnumerateKeys(0, name, cls)) << nLength << " " << reg.GetErrorCode();
        EXPECT_EQ(sub, name.str());
        EXPECT_TRUE(longClass == cls.str()) << nLength;
        EXPECT_TRUE(reg.EnumerateKeys(0, name));
        EXPECT_EQ(sub, name.str());
        if (nLength != 5000u)
            ASSERT_EQ(ERROR_SUCCESS,
                      RegDeleteKeyW(HKEY_CURRENT_USER, key.Path(sub.c_str()).c_str()));
    }
    const std::wstring longClass(5000, L'c');
    ASSERT_TRUE(reg.Open(key.Path(L"classy5000").c_str()));
    // The key's own class is read whole.
    EXPECT_EQ(longClass.size(), (size_t)reg.GetClassName().GetLength());
    EXPECT_TRUE(longClass == reg.GetClassName().str());

    // A failed Open after the previous key was closed leaves no handle behind: the next Open
    // and Close find nothing stale to close twice.
    EXPECT_FALSE(reg.Open(key.Path(L"missing").c_str()));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, reg.GetErrorCode());
    EXPECT_EQ(nullptr, reg.GetKey());
    EXPECT_TRUE(reg.GetKeyName().IsEmpty());
    EXPECT_FALSE(reg.SetValue(L"v", (DWORD)1));
    EXPECT_TRUE(reg.Close());
    EXPECT_EQ(nullptr, reg.GetRootKey());

    // A tree 200 levels deep goes in one call.
    std::wstring deep = L"deep";
    for (int i = 0; i < 199; i++)
        deep += L"\\k";
    key.CreateKey(deep);
    ASSERT_TRUE(reg.Connect(HKEY_CURRENT_USER));
    ASSERT_TRUE(reg.Open(key.Path().c_str()));
    EXPECT_TRUE(reg.DeleteKey(L"deep", TRUE)) << reg.GetErrorCode();
    EXPECT_FALSE(key.Exists(L"deep"));
}

TEST_F(RegistryTest, RootsAndPaths) {
    EXPECT_EQ(HKEY_CURRENT_USER, SECRegistry::KeyFromRootName(L"HKEY_CURRENT_USER"));
    EXPECT_EQ(HKEY_DYN_DATA, SECRegistry::KeyFromRootName(L"HKEY_DYN_DATA"));
    EXPECT_EQ(nullptr, SECRegistry::KeyFromRootName(L"HKEY_PERFORMANCE_DATA"));
    EXPECT_EQ(L"HKEY_CURRENT_CONFIG", SECRegistry::RootNameFromKey(HKEY_CURRENT_CONFIG).str());
    EXPECT_TRUE(SECRegistry::IsPredefinedRoot(HKEY_PERFORMANCE_DATA));
    EXPECT_FALSE(SECRegistry::IsPredefinedRoot(reg.GetKey()));
    EXPECT_EQ(L"a\\b", SECRegistry::JoinKeyPath(L"a\\", L"\\b\\").str());
    EXPECT_EQ(L"b", SECRegistry::JoinKeyPath(L"", L"b").str());
    EXPECT_EQ(L"\\a", SECRegistry::NormalizeKeyPath(L"\\a\\").str());
    EXPECT_EQ(L"a", SECRegistry::NormalizeKeyPath(L"\\a\\", TRUE).str());

    EXPECT_EQ(L"HKEY_CURRENT_USER", reg.GetRootName().str());
    EXPECT_FALSE(reg.IsRemote());
    EXPECT_FALSE(reg.GetComputerName().IsEmpty());
    // Open without Connect assumes the classes root.
    SECRegistry classes;
    EXPECT_TRUE(classes.Open(L"", KEY_READ));
    EXPECT_EQ(HKEY_CLASSES_ROOT, classes.GetRootKey());
    // Create makes the key and reports how; its details are the new key's.
    DWORD disposition = 0;
    ASSERT_TRUE(reg.Create(key.Path(L"made").c_str(), L"kind", REG_OPTION_NON_VOLATILE,
                           KEY_ALL_ACCESS, NULL, &disposition));
    EXPECT_EQ((DWORD)REG_CREATED_NEW_KEY, disposition);
    EXPECT_EQ(L"kind", reg.GetClassName().str());
    EXPECT_TRUE(reg.SetValue(L"v", (DWORD)1));
    EXPECT_TRUE(reg.QueryInfo());
    EXPECT_EQ(1u, reg.GetNumberOfValues());
    EXPECT_GT(reg.GetLastWriteTime().GetTime(), 0);
}
