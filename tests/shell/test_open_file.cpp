// The command line that opens a file for the user, and the paths that make none.
#include <gtest/gtest.h>

#include "shell/app/appkey.h"
#include "shell/app/open_file.h"

namespace {

TEST(OpenFile, PathsBecomeViewLinesWithSlashes) {
    EXPECT_EQ("VIEW \"C:/src/main.c\" 0", BuildViewCommandLine(L"C:\\src\\main.c"));
    EXPECT_EQ("VIEW \"a b/c.s\" 0", BuildViewCommandLine(L"a b\\c.s"));
}

TEST(OpenFile, PathsThatMakeNoLine) {
    EXPECT_EQ("", BuildViewCommandLine(nullptr));
    EXPECT_EQ("", BuildViewCommandLine(L""));
    EXPECT_EQ("", BuildViewCommandLine(L"C:\\a\"b.c"));
    EXPECT_EQ("", BuildViewCommandLine(std::wstring(1025, L'x').c_str()));
    EXPECT_NE("", BuildViewCommandLine(std::wstring(1024, L'x').c_str()));
}

TEST(RegistryKey, TheFrameworksSoftwarePrefixIsNotDoubled) {
    EXPECT_STREQ(L"Orvex\\X", RegistryKeyFromRoot(L"Software\\Orvex\\X").GetString());
    EXPECT_STREQ(L"Orvex\\X", RegistryKeyFromRoot(L"Orvex\\X").GetString());
    EXPECT_STREQ(L"Orvex", RegistryKeyFromRoot(nullptr).GetString());
    EXPECT_STREQ(L"Orvex", RegistryKeyFromRoot(L"").GetString());
    EXPECT_STREQ(L"Orvex", RegistryKeyFromRoot(L"Software\\").GetString());
}

} // namespace
