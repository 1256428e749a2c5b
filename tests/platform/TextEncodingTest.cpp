#include "platform/TextEncoding.h"

#include <gtest/gtest.h>

namespace velomar::platform {
namespace {

TEST(TextEncoding, Utf8IsRecognisedStrictly) {
  for (const char* valid : {"", "plain", "M\xC3\xBCller", "\xE5\x90\x8D", "\xF0\x9F\x98\x80", "\xF4\x8F\xBF\xBF"})
    EXPECT_TRUE(IsValidUtf8(valid)) << valid;
  // Latin-1, a cut sequence, overlong forms, a surrogate, beyond U+10FFFF.
  for (const char* invalid : {"M\xFCller", "\xC3", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80"})
    EXPECT_FALSE(IsValidUtf8(invalid)) << invalid;
}

TEST(TextEncoding, AnsiTextBecomesUtf8AndUtf8StaysAsItIs) {
  EXPECT_EQ(Windows1252ToUtf8("Schlie\xDF\x80\x81\x9F\xFF"), "Schlie\xC3\x9F\xE2\x82\xAC\xC2\x81\xC5\xB8\xC3\xBF");
  EXPECT_EQ(AnsiToUtf8("\xFC"), "\xC3\xBC");  // Windows-1252 here and in the Wine prefix
  EXPECT_EQ(Utf8OrAnsiToUtf8("M\xC3\xBCller"), "M\xC3\xBCller");
  EXPECT_EQ(Utf8OrAnsiToUtf8("M\xFCller"), "M\xC3\xBCller");
  EXPECT_EQ(Utf8OrAnsiToUtf8("M\xC3\xBCller\r\nM\xFCller\n\xC3\xBC"), "M\xC3\xBCller\r\nM\xC3\xBCller\n\xC3\xBC");
}

}  // namespace
}  // namespace velomar::platform
