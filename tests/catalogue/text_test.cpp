// Text fields: characters counted in UTF-8, cuts only between characters.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "catalogue/text.h"
#include "platform/utf16.h"

namespace {

TEST(Text, CountsCharactersNotBytes) {
    EXPECT_EQ(TextCharCount(""), 0u);
    EXPECT_EQ(TextCharCount("abc"), 3u);
    EXPECT_EQ(TextCharCount("服务a"), 3u);
    EXPECT_EQ(TextCharCount("\xF0\x9F\x98\x80"), 1u);  // four-byte sequence
    // Bytes that form no valid sequence count one each, as an 8-bit reader would see them.
    EXPECT_EQ(TextCharCount("\xFF\xFE"), 2u);
    EXPECT_EQ(TextCharCount("\xE6\x9C"), 2u);  // a sequence cut short
    EXPECT_EQ(TextCharCount("\xC0\x80"), 2u);  // overlong form
    EXPECT_EQ(TextCharCount("\xE6\x9C"
                            "a"),
              3u);  // a cut sequence does not swallow the next byte
}

TEST(Text, PrefixEndsBetweenCharacters) {
    EXPECT_EQ(TextPrefixBytes("服务说明", 2), 6u);
    EXPECT_EQ(TextPrefixBytes("ab", 5), 2u);
    EXPECT_EQ(TextPrefixBytes("ab", 0), 0u);
}

TEST(Text, CopyCutsToCharactersAndBuffer) {
    char dest[8];
    CopyText(dest, sizeof dest, "服务说明", 3);
    EXPECT_STREQ(dest, "服务");  // three characters need 9 bytes: the buffer holds two
    CopyText(dest, sizeof dest, "abcdefghij", 4);
    EXPECT_STREQ(dest, "abcd");
    CopyText(dest, sizeof dest, "abcdefghij");
    EXPECT_STREQ(dest, "abcdefg");
}

TEST(Text, FormatCutsAtMaxChars) {
    char dest[kTextBytes];
    std::string many;
    for (int i = 0; i < 300; ++i)
        many += "务";
    FormatText(dest, sizeof dest, kTextMaxChars, "%s%s", "x", many.c_str());
    EXPECT_EQ(TextCharCount(dest), kTextMaxChars);
    EXPECT_EQ(std::strlen(dest), 1u + 258 * 3);
    EXPECT_TRUE(TextFits(dest));
}

TEST(Text, ConvertsBetweenUtf16AndUtf8) {
    EXPECT_EQ(Utf16ToUtf8(u"Svc 服务 \U0001F600"), "Svc 服务 \xF0\x9F\x98\x80");
    EXPECT_EQ(Utf8ToUtf16("Svc 服务 \xF0\x9F\x98\x80"), u"Svc 服务 \U0001F600");
    // A lone surrogate has no UTF-8 form: it reads as U+FFFD, as do bytes that are no UTF-8.
    EXPECT_EQ(Utf16ToUtf8(std::u16string(u"a") + char16_t(0xD800) + u"b"),
              "a\xEF\xBF\xBD"
              "b");
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xDC00))), "\xEF\xBF\xBD");
    EXPECT_EQ(Utf8ToUtf16("a\xFF"), u"a\uFFFD");
    EXPECT_EQ(Utf8ToUtf16(nullptr), u"");
}

// The converter keeps to the one strict rule: an overlong form (never a hidden NUL or slash), a
// surrogate, a code point above U+10FFFF or a cut sequence gives one U+FFFD per byte.
TEST(Text, Utf8ToUtf16RefusesWhatIsNotUtf8) {
    EXPECT_EQ(Utf8ToUtf16("\xE0\x80\x80x"), u"\uFFFD\uFFFD\uFFFDx");
    EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");
    EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(Utf8ToUtf16("\xF4\x90\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(Utf8ToUtf16("\xE6\x9C"), u"\uFFFD\uFFFD");
    EXPECT_EQ(Utf8ToUtf16("\xED\x9F\xBF\xF4\x8F\xBF\xBF"), u"\uD7FF\U0010FFFF");
    // The text limits still count such bytes as the lenient rule says: three bytes, one character.
    EXPECT_EQ(TextCharCount("\xE0\x80\x80x"), 2u);
}

}  // namespace
