#include "catalogue/code_page.h"

#include <gtest/gtest.h>

namespace kalverin {
namespace {

TEST(CodePageTest, EveryByteRoundTripsThroughItsCharacter) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    std::u16string text = DecodeCodePage(all);
    ASSERT_EQ(text.size(), 256U);
    EXPECT_EQ(EncodeCodePage(text), all);
}

TEST(CodePageTest, MapsTheHighBytesToTheirCharacters) {
    EXPECT_EQ(DecodeCodePage("\x80"), u"\u20AC");
    EXPECT_EQ(DecodeCodePage("\x93Hi\x94"), u"\u201CHi\u201D");
    EXPECT_EQ(DecodeCodePage("\xE9"), u"\u00E9");
    EXPECT_EQ(DecodeCodePage("\x81\x8D\x8F\x90\x9D"), u"\u0081\u008D\u008F\u0090\u009D");
}

TEST(CodePageTest, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(EncodeCodePage(u"caf\u00E9 \u20AC5"),
              "caf\xE9 \x80"
              "5");
    EXPECT_EQ(EncodeCodePage(u"\u4E2D"), "?");
    EXPECT_EQ(EncodeCodePage(u"a\U0001F600b"), "a?b");
    // A pair whose second half is the last one, then a character above the surrogates.
    EXPECT_EQ(EncodeCodePage(u"\U0010FFFF\uFB01"), "??");
}

}  // namespace
}  // namespace kalverin
