#include <gtest/gtest.h>

#include "String.h"

TEST(CString, FormatUsesWindowsWideSemantics)
{
    CString s;
    s.Format(L"%s=%d [%02x] %c %ls", L"name", -42, 0xA, L'Z', L"wide");
    EXPECT_STREQ(L"name=-42 [0a] Z wide", s);
    s.Format(L"%S", "narrow");  // %S is the narrow one on Windows
    EXPECT_STREQ(L"narrow", s);
    s.Format(L"%I64d %5.2f", (long long)1 << 40, 3.14159);
    EXPECT_STREQ(L"1099511627776  3.14", s);
    s.AppendFormat(L"|%u", 7u);
    EXPECT_STREQ(L"1099511627776  3.14|7", s);
}

TEST(CString, FormatLongOutputIsComplete)
{
    std::wstring big(5000, L'x');
    CString s;
    s.Format(L"<%s>", big.c_str());
    ASSERT_EQ(5002, s.GetLength());
    EXPECT_EQ(L'>', s[5001]);
}

TEST(CString, ComparisonsAndCase)
{
    CString a(L"Profile 1");
    EXPECT_EQ(0, a.CompareNoCase(L"PROFILE 1"));
    EXPECT_NE(0, a.Compare(L"PROFILE 1"));
    EXPECT_LT(a.CompareNoCase(L"profile 2"), 0);
    EXPECT_TRUE(a == L"Profile 1");
    EXPECT_TRUE(a != CString(L"x"));
    EXPECT_EQ(0, CString().CompareNoCase(nullptr));
    CString u(L"Mixed Äpfel");
    u.MakeUpper();
    EXPECT_STREQ(L"MIXED ÄPFEL", u);
    u.MakeLower();
    EXPECT_STREQ(L"mixed äpfel", u);
}

TEST(CString, SubstringsClampTheirArguments)
{
    CString s(L"abcdef");
    EXPECT_STREQ(L"abc", s.Left(3));
    EXPECT_STREQ(L"abcdef", s.Left(99));
    EXPECT_STREQ(L"", s.Left(-1));
    EXPECT_STREQ(L"ef", s.Right(2));
    EXPECT_STREQ(L"cdef", s.Mid(2));
    EXPECT_STREQ(L"cd", s.Mid(2, 2));
    EXPECT_STREQ(L"", s.Mid(10));
    EXPECT_STREQ(L"ab", s.Mid(-3, 2));
    EXPECT_EQ(0, s.GetAt(100));
}

TEST(CString, FindAndReplace)
{
    CString s(L"a\\nb\\nc");
    EXPECT_EQ(1, s.Find(L"\\n"));
    EXPECT_EQ(4, s.Find(L"\\n", 2));
    EXPECT_EQ(-1, s.Find(L"zz"));
    EXPECT_EQ(-1, s.Find(L'a', 50));
    EXPECT_EQ(4, s.ReverseFind(L'\\'));
    EXPECT_EQ(2, s.Replace(L"\\n", L"\r\n"));
    EXPECT_STREQ(L"a\r\nb\r\nc", s);
    EXPECT_EQ(0, s.Replace(L"", L"x"));
    CString t(L"x.y.z");
    EXPECT_EQ(2, t.Replace(L'.', L'/'));
    EXPECT_STREQ(L"x/y/z", t);
    EXPECT_EQ(2, t.Remove(L'/'));
    EXPECT_STREQ(L"xyz", t);
}

TEST(CString, TrimAndTokenize)
{
    CString s(L" \t name.bmp \r\n");
    s.Trim();
    EXPECT_STREQ(L"name.bmp", s);
    CString q(L"\"quoted\"");
    q.Trim(L'"');
    EXPECT_STREQ(L"quoted", q);
    CString all(L"   ");
    all.Trim();
    EXPECT_TRUE(all.IsEmpty());

    CString list(L"a,,b;c");
    int pos = 0;
    EXPECT_STREQ(L"a", list.Tokenize(L",;", pos));
    EXPECT_STREQ(L"b", list.Tokenize(L",;", pos));
    EXPECT_STREQ(L"c", list.Tokenize(L",;", pos));
    EXPECT_STREQ(L"", list.Tokenize(L",;", pos));
    EXPECT_EQ(-1, pos);
}

TEST(CString, BufferAccessForCApis)
{
    CString s;
    wchar_t* p = s.GetBuffer(16);
    wcscpy(p, L"hello");
    s.ReleaseBuffer();
    EXPECT_EQ(5, s.GetLength());
    s.GetBuffer(10)[2] = 0;
    s.ReleaseBuffer();
    EXPECT_STREQ(L"he", s);
    s.ReleaseBuffer(1);
    EXPECT_STREQ(L"h", s);
}

TEST(CString, InsertDeleteAndConcatenation)
{
    CString s(L"ace");
    s.Insert(1, L'b');
    s.Insert(3, L"d");
    EXPECT_STREQ(L"abcde", s);
    s.Delete(1, 2);
    EXPECT_STREQ(L"ade", s);
    s.Delete(10);
    EXPECT_STREQ(L"ade", s);
    CString t = L"<" + s + L'>' + CString(L'-', 3);
    EXPECT_STREQ(L"<ade>---", t);
}

TEST(CString, LoadStringFromTheProgramsTable)
{
    CString s;
    EXPECT_TRUE(s.LoadString(200));
    EXPECT_STREQ(L"loaded from the table", s);
    EXPECT_FALSE(s.LoadString(4321));
    EXPECT_TRUE(s.IsEmpty());
}
