// String conversions, splitting, replacing and decoding.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>

#include "runtime/array.h"
#include "runtime/string.h"

namespace {

std::string utf8(const String& s) { return s.ToUtf8(); }

String decode(const std::string& bytes) {
    return String::Decode(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

TEST(StringTest, NumbersBecomeTheirText) {
    EXPECT_EQ(utf8(String(-42)), "-42");
    EXPECT_EQ(utf8(String(5.0f)), "5.0");
    EXPECT_EQ(utf8(String(0.1f)), "0.10000000149011612");
    EXPECT_EQ(utf8(String(1e20f)), "1.0000000200408773e+20");
    EXPECT_EQ(utf8(String(-0.5f)), "-0.5");
}

TEST(StringTest, ToIntReadsLikeAtoiFromTheFirst63Characters) {
    EXPECT_EQ(String("  42abc").ToInt(), 42);
    EXPECT_EQ(String("").ToInt(), 0);
    EXPECT_EQ(String("-17").ToInt(), -17);
    EXPECT_EQ(String("x1").ToInt(), 0);
    std::string digits(62, '0');
    digits += "7";                    // character 63
    digits += std::string(37, '9');   // beyond what is read
    EXPECT_EQ(String(digits.c_str()).ToInt(), 7);
}

TEST(StringTest, SplitKeepsEmptyPiecesAndSharesAnUnsplitSource) {
    Array<String> pieces = String("a,,b").Split(String(","));
    ASSERT_EQ(pieces.Length(), 3);
    EXPECT_EQ(utf8(pieces[0]), "a");
    EXPECT_TRUE(pieces[1].Empty());
    EXPECT_EQ(utf8(pieces[2]), "b");

    EXPECT_EQ(String(",a").Split(String(",")).Length(), 2);
    Array<String> one = String("").Split(String(","));
    ASSERT_EQ(one.Length(), 1);
    EXPECT_TRUE(one[0].Empty());

    Array<String> chars = String("abc").Split(String(""));
    ASSERT_EQ(chars.Length(), 3);
    EXPECT_EQ(utf8(chars[2]), "c");
    EXPECT_EQ(String("").Split(String("")).Length(), 0);

    String source("no separator");
    EXPECT_EQ(source.Split(String("|"))[0].rep(), source.rep());
}

TEST(StringTest, ReplaceIsLeftToRightAndNonOverlapping) {
    EXPECT_EQ(utf8(String("aaaa").Replace(String("aa"), String("b"))), "bb");
    EXPECT_EQ(utf8(String("abcabc").Replace(String("b"), String("XYZ"))), "aXYZcaXYZc");
    EXPECT_EQ(utf8(String("abc").Replace(String("c"), String(""))), "ab");
    String source("unchanged");
    EXPECT_EQ(source.Replace(String("q"), String("z")).rep(), source.rep());
}

TEST(StringTest, ConcatenatingWithEmptySharesTheOtherOperand) {
    String word("word");
    EXPECT_EQ((String() + word).rep(), word.rep());
    EXPECT_EQ((word + String()).rep(), word.rep());
    EXPECT_EQ(utf8(word + String("s")), "words");
}

TEST(StringTest, MovingAStringHandsItsTextOverWithoutAnExtraReference) {
    String source("moved");
    String copy = source;  // a second owner, so the text outlives the test's strings
    const String::Rep* rep = source.rep();
    int refs = rep->refs;
    String target(std::move(source));
    EXPECT_EQ(target.rep(), rep);
    EXPECT_EQ(rep->refs, refs);
    EXPECT_TRUE(source.Empty());
}

TEST(StringTest, EmptyStringsShareOneRepresentationThatIsNeverFreed) {
    const String::Rep* empty = String().rep();
    EXPECT_EQ(String("").rep(), empty);
    EXPECT_EQ(String("abc").Slice(2, 1).rep(), empty);
    {
        String a, b, c;
    }
    EXPECT_GE(empty->refs, 1);
    EXPECT_EQ(String().Length(), 0);
}

TEST(StringTest, DecodesUtf8WithOrWithoutByteOrderMark) {
    String text = decode("\xEF\xBB\xBF" "caf\xC3\xA9");
    ASSERT_EQ(text.Length(), 4);
    EXPECT_EQ(text[3], 0xE9);
    EXPECT_EQ(decode("\xE2\x82\xAC")[0], 0x20AC);
    EXPECT_EQ(decode("").Length(), 0);
}

TEST(StringTest, MalformedUtf8ComesBackByteForByte) {
    String text = decode("ab\x80" "cd");
    ASSERT_EQ(text.Length(), 5);
    EXPECT_EQ(text[2], 0x80);
    // A cut-off sequence at the end, and a four-byte sequence.
    EXPECT_EQ(decode("x\xC3").Length(), 2);
    EXPECT_EQ(decode("\xF0\x9F\x98\x80").Length(), 4);
    // After a byte-order mark the fallback keeps only the bytes behind it.
    String marked = decode("\xEF\xBB\xBF" "a\xFF");
    ASSERT_EQ(marked.Length(), 2);
    EXPECT_EQ(marked[1], 0xFF);
}

TEST(StringTest, DecodesUtf16ByByteOrderMarkIgnoringAnOddLastByte) {
    String big = decode(std::string("\xFE\xFF\x00\x41\x20\xAC\x07", 7));
    ASSERT_EQ(big.Length(), 2);
    EXPECT_EQ(big[0], 'A');
    EXPECT_EQ(big[1], 0x20AC);
    String little = decode(std::string("\xFF\xFE\x41\x00", 4));
    ASSERT_EQ(little.Length(), 1);
    EXPECT_EQ(little[0], 'A');
}

TEST(StringTest, LoadReadsAFileLargerThanOneChunk) {
    FILE* file = std::tmpfile();
    std::string text(10000, 'x');
    text += "\xC3\xA9";
    std::fwrite(text.data(), 1, text.size(), file);
    std::rewind(file);
    String loaded = String::Load(file);
    std::fclose(file);
    ASSERT_EQ(loaded.Length(), 10001);
    EXPECT_EQ(loaded[10000], 0xE9);
}

TEST(StringTest, EncodesEachCodeUnitByItself) {
    Char units[] = {0x41, 0xE9, 0x20AC, 0xD83D};
    EXPECT_EQ(String(units, 4).ToUtf8(), "A\xC3\xA9\xE2\x82\xAC\xED\xA0\xBD");
}

}  // namespace
