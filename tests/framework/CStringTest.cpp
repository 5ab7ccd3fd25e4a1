#include "framework/core/CString.h"
#include "resources/resource.h"
#include "framework/core/FrameworkIds.h"
#include <gtest/gtest.h>

TEST(CString, FindsAndCutsLikeThePathCodeNeedsIt)
{
    CString str("C:\\Kiosque\\Kelo.exe");
    EXPECT_EQ(10, str.ReverseFind('\\'));
    EXPECT_EQ(CString("C:\\Kiosque"), str.Left(str.ReverseFind('\\')));
    EXPECT_EQ(CString("Kelo.exe"), str.Mid(str.ReverseFind('\\') + 1));
    EXPECT_EQ(-1, str.Find('/'));
    EXPECT_EQ(CString(""), str.Left(-3));
    EXPECT_EQ(CString("exe"), str.Right(3));
    EXPECT_EQ(str, str.Mid(-4, 1000));
    EXPECT_EQ(CString(""), str.Mid(500));
}

TEST(CString, HasValueSemantics)
{
    CString a("abc");
    CString b = a;
    b += "def";
    EXPECT_STREQ("abc", a);
    EXPECT_STREQ("abcdef", b);
    EXPECT_TRUE(CString() == "");
    EXPECT_TRUE(CString(nullptr).IsEmpty());
}

TEST(CString, ReplacesEveryOccurrenceWithoutRescanningTheReplacement)
{
    CString str("Quitter /? vraiment /?");
    EXPECT_EQ(2, str.Replace("/?", "?"));
    EXPECT_STREQ("Quitter ? vraiment ?", str);
    CString grow("aa");
    EXPECT_EQ(2, grow.Replace("a", "aa"));
    EXPECT_STREQ("aaaa", grow);
}

TEST(CString, FormatsAnyLength)
{
    CString str;
    str.Format("%s-%d", std::string(5000, 'x').c_str(), 42);
    EXPECT_EQ(5003, str.GetLength());
    EXPECT_STREQ("-42", str.Right(3));
}

TEST(CString, LoadsFrenchResourceStringsInCodePage1252)
{
    CString str;
    ASSERT_TRUE(str.LoadString(IDS_APP_TITLE));
    EXPECT_STREQ("Vid\xe9os de d\xe9monstration", str);
    EXPECT_FALSE(str.LoadString(9999));
    EXPECT_TRUE(str.IsEmpty());
}

TEST(CString, TakesAWideTextInTheAnsiCodePage)
{
    EXPECT_STREQ("Vid\xe9os", CString::FromWide(L"Vid\u00e9os"));
    EXPECT_TRUE(CString::FromWide(nullptr).IsEmpty());
    EXPECT_TRUE(CString::FromWide(L"").IsEmpty());
}

TEST(CString, BufferRoundTrip)
{
    CString str("abc");
    char* p = str.GetBuffer(10);
    lstrcpyA(p, "0123456");
    str.ReleaseBuffer();
    EXPECT_STREQ("0123456", str);
    EXPECT_EQ(7, str.GetLength());
}
