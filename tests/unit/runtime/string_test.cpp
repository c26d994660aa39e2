// String: number text, splitting, replacing, and the UTF-8 and UTF-16
// decoding that reads every text file.
#include <gtest/gtest.h>

#include <cstdio>

#include "runtime/array.h"
#include "runtime/string.h"

namespace {

std::u16string units(const String& text) { return std::u16string(text.Data(), text.Data() + text.Length()); }

TEST(StringTest, NumbersBecomeTextAndTextBecomesAnIntegerLikeAtoiOverTheFirst63Characters) {
    const std::pair<String, std::u16string> numbers[] = {
        {String(-42), u"-42"}, {String(5.0f), u"5.0"}, {String(-0.5f), u"-0.5"},
        {String(0.1f), u"0.10000000149011612"}, {String(1e20f), u"1.0000000200408773e+20"}};
    for (const auto& [value, text] : numbers) EXPECT_EQ(units(value), text);
    const std::pair<std::string, int> texts[] = {
        {"  42abc", 42}, {"-17", -17}, {"x1", 0}, {"", 0}, {std::string(62, '0') + "7" + std::string(37, '9'), 7}};
    for (const auto& [text, value] : texts) EXPECT_EQ(String(text.c_str()).ToInt(), value) << text;
}

TEST(StringTest, SplitKeepsEmptyPiecesReplaceWorksLeftToRightAndEmptyOperandsChangeNothing) {
    const std::tuple<const char*, const char*, std::vector<std::u16string>> splits[] = {
        {"a,,b", ",", {u"a", u"", u"b"}}, {",a", ",", {u"", u"a"}}, {"abc", ",", {u"abc"}},
        {"a:::b", "::", {u"a", u":b"}}, {"abc", "", {u"a", u"b", u"c"}}, {"", "", {}}};
    for (const auto& [text, separator, pieces] : splits) {
        std::vector<std::u16string> got;
        for (const String& piece : String(text).Split(String(separator))) got.push_back(units(piece));
        EXPECT_EQ(got, pieces) << text;
    }
    const std::tuple<const char*, const char*, const char*, std::u16string> replaces[] = {
        {"aaaa", "aa", "b", u"bb"}, {"abcabc", "b", "XYZ", u"aXYZcaXYZc"}, {"abc", "c", "", u"ab"},
        {"abc", "q", "z", u"abc"}};
    for (const auto& [text, find, with, result] : replaces)
        EXPECT_EQ(units(String(text).Replace(String(find), String(with))), result);
    EXPECT_EQ(units(String() + String("ab") + String() + String("c")), u"abc");
    EXPECT_EQ(String("").rep(), String().rep()) << "every empty string shares one text";
}

TEST(StringTest, TextIsDecodedFromUtf8OrUtf16ByByteOrderMarkAndEncodedToUtf8PairsAsOneCharacter) {
    const std::pair<std::string_view, std::u16string> rows[] = {
        {"\xEF\xBB\xBF" "caf\xC3\xA9", u"caf\u00E9"}, {"\xE2\x82\xAC", u"\u20AC"}, {"\xEF\xBB\xBF", u""},
        {"ab\x80" "cd", u"ab\x80" "cd"}, {{"x\xC3\xA9", 2}, u"x\xC3"}, {{"\xE2\x82\xAC", 2}, u"\xE2\x82"},  // cut off
        {"\xEF\xBB\xBF" "a\xFF", u"a\xFF"}, {"a\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF", u"a\U0001F600\U0010FFFF"},
        {"\xF0\x9F\x98", u"\xF0\x9F\x98"}, {"\xF0\x8F\xBF\xBF", u"\xF0\x8F\xBF\xBF"},  // cut off, too short a form
        {"\xF4\x90\x80\x80", u"\xF4\x90\x80\x80"}, {"\xF8\x88\x80\x80\x80", u"\xF8\x88\x80\x80\x80"},  // too far
        {{"\xFE\xFF\0A\x20\xAC\x07", 7}, u"A\u20AC"}, {{"\xFF\xFE" "A\0", 4}, u"A"}};
    for (const auto& [bytes, text] : rows)  // malformed UTF-8 comes back byte for byte
        EXPECT_EQ(units(String::Decode(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size())), text);
    FILE* file = std::tmpfile();
    std::fputs((std::string(5000, 'x') + "\xC3\xA9").c_str(), file);
    std::rewind(file);
    EXPECT_EQ(units(String::Load(file)), std::u16string(5000, u'x') + u"\u00E9") << "read past one chunk";
    std::fclose(file);
    // Written back a pair as its character, a lone surrogate and every other
    // unit by itself; plain C text is taken byte for byte.
    const Char units[] = {0x7F, 0x80, 0x7FF, 0x800, 0x20AC, 0xDBFF, 0xDFFF, 0xDE00, 0xD83D};
    EXPECT_EQ(String(units, 9).ToUtf8(),
              "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xE2\x82\xAC\xF4\x8F\xBF\xBF\xED\xB8\x80\xED\xA0\xBD");
    EXPECT_EQ(String("\xE9")[0], 0xE9);
}

}  // namespace
