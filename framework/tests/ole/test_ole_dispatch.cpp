// Automation through COleDispatchDriver against the system's "VBScript.RegExp" object.
#include <gtest/gtest.h>

#include "framework/ole/oledispatch.h"
#include "framework/ole/oleinit.h"

namespace {
// Dispatch ids of the regular-expression object and its match collection.
const DISPID kPattern = 10001, kGlobal = 10003, kExecute = 10004, kTest = 10005, kReplace = 10006;
// Item is the collection's default member.
const DISPID kCount = 1, kItem = DISPID_VALUE, kValue = 0, kFirstIndex = 10001, kLength = 10002;

class DispatchTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(AfxOleInit()); }
    static void TearDownTestSuite() { AfxOleTerm(); }
    void SetUp() override {
        COleException error;
        ASSERT_TRUE(m_regExp.CreateDispatch(L"VBScript.RegExp", &error)) << std::hex << error.m_sc;
    }
    void SetPattern(LPCWSTR pattern) { m_regExp.SetProperty(kPattern, VT_BSTR, pattern); }
    BOOL Test(LPCWSTR text) {
        static const BYTE params[] = VTS_BSTR;
        BOOL result = FALSE;
        m_regExp.InvokeHelper(kTest, DISPATCH_METHOD, VT_BOOL, &result, params, text);
        return result;
    }
    COleDispatchDriver m_regExp;
};

TEST_F(DispatchTest, PropertiesRoundTripWithTheirTypes) {
    SetPattern(L"a+b");
    CString pattern;
    m_regExp.GetProperty(kPattern, VT_BSTR, &pattern);
    EXPECT_EQ(CString(L"a+b"), pattern);

    m_regExp.SetProperty(kGlobal, VT_BOOL, TRUE);
    BOOL global = FALSE;
    m_regExp.GetProperty(kGlobal, VT_BOOL, &global);
    EXPECT_TRUE(global);
    // A BOOL read as an integer goes through the variant conversion.
    long asLong = 0;
    m_regExp.GetProperty(kGlobal, VT_I4, &asLong);
    EXPECT_EQ(-1, asLong);
}

TEST_F(DispatchTest, MethodsTakeParametersAndReturnResults) {
    SetPattern(L"b+c");
    EXPECT_TRUE(Test(L"xxabbbcx"));
    EXPECT_FALSE(Test(L"xxacx"));

    static const BYTE replaceParams[] = VTS_BSTR VTS_BSTR;
    CString replaced;
    m_regExp.InvokeHelper(kReplace, DISPATCH_METHOD, VT_BSTR, &replaced, replaceParams, L"abbcd",
                          L"-");
    EXPECT_EQ(CString(L"a-d"), replaced);
}

TEST_F(DispatchTest, ExecuteGivesMatchObjectsThroughAttachedDrivers) {
    SetPattern(L"[0-9]+");
    static const BYTE textParam[] = VTS_BSTR;
    LPDISPATCH lpMatches = NULL;
    m_regExp.InvokeHelper(kExecute, DISPATCH_METHOD, VT_DISPATCH, &lpMatches, textParam,
                          L"ab 123 cd");
    ASSERT_NE(nullptr, lpMatches);
    COleDispatchDriver matches(lpMatches);
    long count = 0;
    matches.GetProperty(kCount, VT_I4, &count);
    ASSERT_EQ(1, count);

    static const BYTE indexParam[] = VTS_I4;
    LPDISPATCH lpMatch = NULL;
    matches.InvokeHelper(kItem, DISPATCH_PROPERTYGET, VT_DISPATCH, &lpMatch, indexParam, 0L);
    ASSERT_NE(nullptr, lpMatch);
    COleDispatchDriver match;
    match.AttachDispatch(lpMatch);
    CString value;
    long first = -1, length = -1;
    match.GetProperty(kValue, VT_BSTR, &value);
    match.GetProperty(kFirstIndex, VT_I4, &first);
    match.GetProperty(kLength, VT_I4, &length);
    EXPECT_EQ(CString(L"123"), value);
    EXPECT_EQ(3, first);
    EXPECT_EQ(3, length);
}

// An invalid pattern is the server's error: it arrives as an exception the caller can catch,
// and the object stays usable.
TEST_F(DispatchTest, BadPatternIsACatchableError) {
    SetPattern(L"(unclosed");
    bool caught = false;
    try {
        Test(L"text");
    } catch (COleDispatchException* e) {
        caught = true;
        wchar_t text[256] = L"";
        EXPECT_TRUE(e->GetErrorMessage(text, 256));
        EXPECT_NE(L'\0', text[0]);
        e->Delete();
    } catch (COleException* e) {
        caught = true;
        EXPECT_TRUE(FAILED(e->m_sc));
        e->Delete();
    }
    EXPECT_TRUE(caught);
    SetPattern(L"t.xt");
    EXPECT_TRUE(Test(L"text"));
}

// Whether running f threw one of the OLE exceptions (and nothing else).
template <class F> bool ThrowsOleError(F f) {
    try {
        f();
    } catch (COleException* e) {
        bool failed = FAILED(e->m_sc);
        e->Delete();
        return failed;
    } catch (COleDispatchException* e) {
        e->Delete();
        return true;
    }
    return false;
}

TEST_F(DispatchTest, FailuresOfTheCallItselfAreOleExceptions) {
    static const BYTE none[] = VTS_NONE;
    struct Case {
        const char* name;
        DISPID id;
        WORD flags;
    } cases[] = {
        {"unknown member", 4242, DISPATCH_METHOD},
        {"missing argument", kTest, DISPATCH_METHOD},
    };
    for (const Case& c : cases) {
        BOOL result = FALSE;
        EXPECT_TRUE(ThrowsOleError([&] {
            m_regExp.InvokeHelper(c.id, c.flags, VT_BOOL, &result, none);
        })) << c.name;
    }
    // A result that cannot take the asked type is refused, not made up.
    SetPattern(L"abc");
    long asNumber = 0;
    EXPECT_TRUE(ThrowsOleError([&] { m_regExp.GetProperty(kPattern, VT_I4, &asNumber); }));
}

TEST(DispatchDriver, WithoutAnObjectCallsFailAndCreationReportsWhy) {
    ASSERT_TRUE(AfxOleInit());
    COleDispatchDriver driver;
    SCODE sc = S_OK;
    try {
        long value = 0;
        driver.GetProperty(1, VT_I4, &value);
    } catch (COleException* e) {
        sc = e->m_sc;
        e->Delete();
    }
    EXPECT_EQ(E_UNEXPECTED, sc);

    COleException error;
    EXPECT_FALSE(driver.CreateDispatch(L"No.Such.ProgId.4711", &error));
    EXPECT_TRUE(FAILED(error.m_sc));
    EXPECT_EQ(nullptr, driver.m_lpDispatch);
    AfxOleTerm();
}
} // namespace
