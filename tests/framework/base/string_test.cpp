#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "framework/base/String.h"

namespace {

TEST(CStringTest, ConstructionFromNullAndCounts) {
  EXPECT_TRUE(CString((LPCSTR) nullptr).IsEmpty());
  EXPECT_TRUE(CString(nullptr, 5).IsEmpty());
  EXPECT_EQ(CString("abcdef", 3), "abc");
  EXPECT_TRUE(CString("abc", -2).IsEmpty());
  // A fixed-width field stops at its terminating zero and never reads beyond
  // the count (ASan watches the unterminated field).
  const char field[4] = {'a', 'b', 'c', 'd'};
  EXPECT_EQ(CString(field, 4), "abcd");
  const char padded[6] = {'x', 'y', '\0', 'q', 'q', 'q'};
  EXPECT_EQ(CString(padded, 6).GetLength(), 2);
  EXPECT_EQ(CString('*', 3), "***");
  EXPECT_TRUE(CString('*', 0).IsEmpty());
  EXPECT_TRUE(CString('*', -4).IsEmpty());

  CString s;
  s = (LPCSTR) nullptr;
  EXPECT_TRUE(s.IsEmpty());
  s = 'z';
  EXPECT_EQ(s, "z");
}

TEST(CStringTest, ConcatenationAndComparison) {
  CString a("abc");
  CString b = a + "def" + 'g' + CString("h");
  EXPECT_EQ(b, "abcdefgh");
  EXPECT_EQ("x" + a, "xabc");
  EXPECT_EQ('x' + a, "xabc");
  a += a;  // appending to itself
  EXPECT_EQ(a, "abcabc");
  a += (LPCSTR) nullptr;
  EXPECT_EQ(a.GetLength(), 6);

  EXPECT_TRUE(CString("abc") < "abd");
  EXPECT_TRUE("abd" > CString("abc"));
  EXPECT_TRUE(CString("") == (LPCSTR) nullptr);
  EXPECT_EQ(CString("abc").CompareNoCase("ABC"), 0);
  EXPECT_GT(CString("abcd").CompareNoCase("ABC"), 0);
  EXPECT_LT(CString("Zeta").Compare("alpha"), 0);  // byte order, upper case first
  EXPECT_GT(CString("Zeta").CompareNoCase("alpha"), 0);
  // Characters above 127 compare as unsigned, as strcmp does.
  EXPECT_GT(CString("\xe9").Compare("e"), 0);
  EXPECT_GT(CString("\xe9").CompareNoCase("E"), 0);
}

TEST(CStringTest, FormatMatchesInBothBuilds) {
  CString s;
  s.Format("%.3lf|%d|%s", 3.14159265, -42, "text");
  EXPECT_EQ(s, "3.142|-42|text");
  s.Format("%.0lf %.1lf %.2lf %.3lf", 2.5, 0.05, 1.005, -0.0005);
  EXPECT_EQ(s, "2 0.1 1.00 -0.001");
  // MSVCRT would print three exponent digits and no long long; the ANSI
  // formatting of the Windows build must match the native one.
  s.Format("%e|%g|%lld|%5.1f|%-4d|%x|%%", 12345.678, 0.0001, 1234567890123LL, 2.25, 7, 255);
  EXPECT_EQ(s, "1.234568e+04|0.0001|1234567890123|  2.2|7   |ff|%");
  s.Format("%s", "");
  EXPECT_TRUE(s.IsEmpty());
}

TEST(CStringTest, FormatOfAnyLengthAndOfItself) {
  std::string longText(100000, 'q');
  CString s;
  s.Format("<%s>%d", longText.c_str(), 9);
  ASSERT_EQ(s.GetLength(), 100003);
  EXPECT_EQ(s.Left(3), "<qq");
  EXPECT_EQ(s.Right(3), "q>9");
  // Around the internal first-try buffer.
  for (int n = 500; n < 520; ++n) {
    s.Format("%*d", n, 1);
    ASSERT_EQ(s.GetLength(), n);
    ASSERT_EQ(s[n - 1], '1');
  }
  // The string's own text as format and as argument.
  s = "value %d";
  s.Format(s, 5);
  EXPECT_EQ(s, "value 5");
  s.Format("[%s][%s]", (LPCSTR)s, (LPCSTR)s);
  EXPECT_EQ(s, "[value 5][value 5]");
}

TEST(CStringTest, ExtractionClampsCounts) {
  CString s("abcdef");
  EXPECT_EQ(s.Left(99), "abcdef");
  EXPECT_TRUE(s.Left(-1).IsEmpty());
  EXPECT_EQ(s.Right(99), "abcdef");
  EXPECT_TRUE(s.Right(-3).IsEmpty());
  EXPECT_EQ(s.Mid(2, 2), "cd");
  EXPECT_EQ(s.Mid(-5, 2), "ab");
  EXPECT_EQ(s.Mid(4, 100), "ef");
  EXPECT_EQ(s.Mid(1, 0x7fffffff), "bcdef");  // no overflow in first + count
  EXPECT_TRUE(s.Mid(60, 2).IsEmpty());
  EXPECT_TRUE(s.Mid(1, -1).IsEmpty());
  EXPECT_EQ(CString("12.5e3x").SpanIncluding("0123456789.e"), "12.5e3");
  EXPECT_TRUE(CString("x1").SpanIncluding("0123456789").IsEmpty());
  EXPECT_EQ(CString("key=value").SpanExcluding("=;"), "key");
  EXPECT_EQ(CString("abc").SpanIncluding(nullptr), "");

  EXPECT_EQ(s.GetAt(6), '\0');
  EXPECT_EQ(s.GetAt(-1), '\0');
  s.SetAt(0, 'A');
  s.SetAt(10, 'X');
  s.SetAt(-1, 'X');
  EXPECT_EQ(s, "Abcdef");
  s.SetAt(3, '\0');  // a zero ends the text; length and strlen agree
  EXPECT_EQ(s.GetLength(), 3);
  EXPECT_EQ(std::strlen(s), 3u);
}

TEST(CStringTest, Searching) {
  CString s("a.b.c");
  EXPECT_EQ(s.Find('.', 2), 3);
  EXPECT_EQ(s.Find('.', 4), -1);
  EXPECT_EQ(s.Find('.', -7), 1);
  EXPECT_EQ(s.Find('.', 100), -1);
  EXPECT_EQ(s.Find('\0'), -1);
  EXPECT_EQ(s.Find(".", 2), 3);
  EXPECT_EQ(s.Find("c", 5), -1);
  EXPECT_EQ(s.Find("a.b.c.d"), -1);
  EXPECT_EQ(s.Find("x", 1000), -1);
  EXPECT_EQ(s.ReverseFind('.'), 3);
  EXPECT_EQ(CString().ReverseFind('q'), -1);
  EXPECT_EQ(s.FindOneOf("cb"), 2);
  EXPECT_EQ(s.FindOneOf(""), -1);
}

TEST(CStringTest, ReplaceRemoveInsertDelete) {
  CString s("aXbXXc");
  EXPECT_EQ(s.Replace('X', '-'), 3);
  EXPECT_EQ(s, "a-b--c");
  EXPECT_EQ(s.Replace("--", "+"), 1);
  EXPECT_EQ(s, "a-b+c");
  EXPECT_EQ(s.Replace("-", "<->"), 1);  // the new text contains the old
  EXPECT_EQ(s, "a<->b+c");
  EXPECT_EQ(s.Replace("", "x"), 0);
  EXPECT_EQ(s.Replace((LPCSTR) nullptr, "x"), 0);
  EXPECT_EQ(s.Replace("<->", nullptr), 1);
  EXPECT_EQ(s, "ab+c");
  CString aaa("aaaa");
  EXPECT_EQ(aaa.Replace("aa", "a"), 2);  // non-overlapping, left to right
  EXPECT_EQ(aaa, "aa");

  CString r("1,000,000");
  EXPECT_EQ(r.Remove(','), 2);
  EXPECT_EQ(r, "1000000");
  CString cut("ab,cd,e");
  EXPECT_EQ(cut.Replace(',', '\0'), 2);
  EXPECT_EQ(cut, "ab");

  CString t("ace");
  EXPECT_EQ(t.Insert(1, 'b'), 4);
  EXPECT_EQ(t.Insert(3, "d"), 5);
  EXPECT_EQ(t, "abcde");
  EXPECT_EQ(t.Insert(100, "!"), 6);
  EXPECT_EQ(t.Insert(-3, '>'), 7);
  EXPECT_EQ(t, ">abcde!");
  EXPECT_EQ(t.Insert(2, (LPCSTR)t), 14);  // inserting its own text
  EXPECT_EQ(t, ">a>abcde!bcde!");
  t = "abcdef";
  EXPECT_EQ(t.Delete(1, 2), 4);
  EXPECT_EQ(t, "adef");
  EXPECT_EQ(t.Delete(2, 100), 2);
  EXPECT_EQ(t.Delete(5), 2);
  EXPECT_EQ(t.Delete(0, -1), 2);
  EXPECT_EQ(t.Delete(-2, 1), 1);
  EXPECT_EQ(t, "d");
}

TEST(CStringTest, CaseReverseAndTrim) {
  CString s("Mixed Case 1\xe9");
  s.MakeUpper();
  EXPECT_EQ(s, "MIXED CASE 1\xe9");
  s.MakeLower();
  EXPECT_EQ(s, "mixed case 1\xe9");
  s = "abc";
  s.MakeReverse();
  EXPECT_EQ(s, "cba");

  CString t(" \t\r\n value \n");
  t.TrimLeft();
  EXPECT_EQ(t, "value \n");
  t.TrimRight();
  EXPECT_EQ(t, "value");
  CString z("000120");
  z.TrimLeft('0');
  EXPECT_EQ(z, "120");
  z.TrimRight('0');
  EXPECT_EQ(z, "12");
  CString set("-+-x+-");
  set.TrimLeft("+-");
  set.TrimRight("-+");
  EXPECT_EQ(set, "x");
  CString all("    ");
  all.TrimRight();
  EXPECT_TRUE(all.IsEmpty());
}

TEST(CStringTest, BufferAccess) {
  CString s("old text");
  char* p = s.GetBuffer(20);
  std::strcpy(p, "new");
  s.ReleaseBuffer();
  EXPECT_EQ(s, "new");
  p = s.GetBuffer(1);  // a smaller request keeps the text
  EXPECT_STREQ(p, "new");

  p = s.GetBuffer(10);
  std::memcpy(p, "0123456789", 10);
  p[10] = '\0';
  s.ReleaseBuffer(4);
  EXPECT_EQ(s, "0123");
  // A count past the buffer stops at its end.
  s.GetBuffer(2);
  s.ReleaseBuffer(1000);
  EXPECT_EQ(s.GetLength(), 4);

  p = s.GetBufferSetLength(2);
  EXPECT_EQ(s.GetLength(), 2);
  p[0] = 'x';
  s.ReleaseBuffer(2);
  EXPECT_EQ(s, "x1");
  s.GetBufferSetLength(-5);
  s.ReleaseBuffer();
  EXPECT_TRUE(s.IsEmpty());

  p = s.GetBuffer(0);
  EXPECT_EQ(p[0], '\0');
}

}  // namespace
