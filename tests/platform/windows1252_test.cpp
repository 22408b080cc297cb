// Tests of the Windows-1252 table used for every TSF text.
#include "platform/windows1252.h"

#include <gtest/gtest.h>

using namespace tk70;

TEST(Windows1252Test, EveryByteSurvivesDecodeAndEncode)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all += char(b);
    const QString text = Windows1252::decode(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(Windows1252::encode(text), all);
}

TEST(Windows1252Test, CodePageCharacters)
{
    EXPECT_EQ(Windows1252::decode("\x80\x89\xE9\x9F\x85"), QString::fromUtf8("€‰éŸ…"));
    EXPECT_EQ(Windows1252::encode(QString::fromUtf8("café € ‰ ™ Ÿ")), QByteArray("caf\xE9 \x80 \x89 \x99 \x9F"));
    EXPECT_EQ(Windows1252::decode("\x81\x8D\x8F\x90\x9D"), QString::fromUtf16(u"\u0081\u008D\u008F\u0090\u009D"));
}

TEST(Windows1252Test, CharactersWithoutAByteBecomeQuestionMarks)
{
    EXPECT_EQ(Windows1252::encode(QString::fromUtf8("Ω漢€")), QByteArray("??\x80"));
    EXPECT_EQ(Windows1252::encode(QString::fromUtf8("a😀b")), QByteArray("a?b")) << "one '?' per character";
    EXPECT_EQ(Windows1252::encode(QString::fromUtf16(u"\u0080\u009F")), QByteArray("??"))
        << "C1 controls that the code page maps elsewhere have no byte";
    EXPECT_EQ(Windows1252::encode(QString(QChar(0xD800))), QByteArray("?"));
}
