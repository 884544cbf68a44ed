#include "platform/codepage/cp950.h"
#include "tests/support/printqstring.h"

#include <array>
#include <gtest/gtest.h>

using namespace codepage;

namespace
{

QByteArray bytesOf(quint16 code)
{
    const char bytes[] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
    return QByteArray(bytes, 2);
}

struct EudcPair {
    char16_t unicode;
    quint16 big5;
};

// The first and last character of each end-user-defined area, in Unicode order.
constexpr std::array kAreaBounds{
    EudcPair{0xE000, 0xFA40}, EudcPair{0xE310, 0xFEFE}, EudcPair{0xE311, 0x8E40},
    EudcPair{0xEEB7, 0xA0FE}, EudcPair{0xEEB8, 0x8140}, EudcPair{0xF6B0, 0x8DFE},
    EudcPair{0xF6B1, 0xC6A1}, EudcPair{0xF848, 0xC8FE},
};

} // namespace

TEST(Cp950, RealHanziRoundTrip)
{
    EXPECT_EQ(toCp950(u"一"), bytesOf(0xA440));
    EXPECT_EQ(toCp950(u"龘"), bytesOf(0xF9D5));
    EXPECT_EQ(fromCp950(bytesOf(0xA440)), u"一");
    EXPECT_EQ(fromCp950(bytesOf(0xF9D5)), u"龘");

    const QString mixed = u"abc 字形結構 123"_qs;
    EXPECT_EQ(fromCp950(toCp950(mixed)), mixed);
    EXPECT_EQ(toCp950(u"A字"), QByteArray("A") + bytesOf(0xA672));
}

TEST(Cp950, EudcAreaBoundsMapBothWays)
{
    for (const EudcPair &pair : kAreaBounds) {
        const QChar ch(pair.unicode);
        SCOPED_TRACE(QString::number(pair.unicode, 16).toStdString());
        EXPECT_EQ(toCp950(QStringView(&ch, 1)), bytesOf(pair.big5));
        EXPECT_EQ(fromCp950(bytesOf(pair.big5)), QString(ch));
        EXPECT_EQ(big5Code(ch), pair.big5);
        EXPECT_TRUE(isEudcCode(pair.big5));
    }
}

TEST(Cp950, OperatorSymbolsAreConsecutiveEudcCodes)
{
    for (char16_t op = 0xF6A3; op <= 0xF6B0; ++op) {
        const quint16 expected = 0x8DF1 + (op - 0xF6A3);
        EXPECT_EQ(big5Code(QChar(op)), expected);
        EXPECT_EQ(fromCp950(bytesOf(expected)), QString(QChar(op)));
    }
}

TEST(Cp950, EveryPrivateUseCharacterRoundTripsThroughAnEudcCode)
{
    QString all;
    for (char16_t ch = 0xE000; ch <= 0xF848; ++ch)
        all.append(QChar(ch));
    const QByteArray encoded = toCp950(all);
    ASSERT_EQ(encoded.size(), 2 * all.size());
    EXPECT_EQ(fromCp950(encoded), all);
    for (QChar ch : all) {
        const std::optional<quint16> code = big5Code(ch);
        ASSERT_TRUE(code.has_value());
        EXPECT_TRUE(isEudcCode(*code)) << std::hex << *code;
    }
}

TEST(Cp950, UnmappableCharactersBecomeQuestionMarks)
{
    EXPECT_EQ(toCp950(u"a\uF849b"), "a?b");
    EXPECT_EQ(toCp950(u"\u0E01"), "?");              // Thai: not in the code page
    EXPECT_EQ(toCp950(u"x\U00020000y"), "x?y");      // one '?' for a surrogate pair
    EXPECT_EQ(toCp950(QString(QChar(0xD800))), "?"); // a lone surrogate
    EXPECT_EQ(big5Code(QChar(0xF849)), std::nullopt);
    EXPECT_EQ(big5Code(QChar(0xD800)), std::nullopt);
    EXPECT_EQ(big5Code(u'?'), 0x3F);
    EXPECT_EQ(big5Code(u'A'), 0x41);
}

TEST(Cp950, InvalidBytesDecodeToReplacementCharacter)
{
    EXPECT_EQ(fromCp950(bytesOf(0xC6A0)), u"\uFFFD");
    EXPECT_EQ(fromCp950(QByteArray("a\xA4")), u"a\uFFFD");
    EXPECT_TRUE(fromCp950({}).isEmpty());
    // The strict reading gives nothing for bytes read in part, and all of valid bytes.
    EXPECT_EQ(fromCp950Strict(QByteArray("a\xA4")), std::nullopt);
    EXPECT_EQ(fromCp950Strict(QStringLiteral("日").toUtf8()), std::nullopt);
    EXPECT_EQ(fromCp950Strict(bytesOf(0xA440) + "a"), QStringLiteral("一a"));
    EXPECT_EQ(fromCp950Strict({}), QString());
}

TEST(Cp950, IsBig5HanziBlocks)
{
    EXPECT_TRUE(isBig5Hanzi(u"一"));
    EXPECT_TRUE(isBig5Hanzi(u"籲")); // C67E
    EXPECT_TRUE(isBig5Hanzi(u"乂")); // C940
    EXPECT_TRUE(isBig5Hanzi(u"龘")); // F9D5
    EXPECT_TRUE(isBig5Hanzi(u"字abc"));
    EXPECT_FALSE(isBig5Hanzi(u""));
    EXPECT_FALSE(isBig5Hanzi(u"a字"));
    EXPECT_FALSE(isBig5Hanzi(u"\uF6A3")); // operator symbol
    EXPECT_FALSE(isBig5Hanzi(u"\uE000")); // user-defined character
    EXPECT_FALSE(isBig5Hanzi(u"\u2550")); // F9F9, an extension box-drawing symbol
    EXPECT_FALSE(isBig5Hanzi(u"\u7881")); // F9D6, an extension hanzi past 龘
    EXPECT_FALSE(isBig5Hanzi(u"，"));     // A141, punctuation
    EXPECT_FALSE(isBig5Hanzi(u"\U00020000"));
}

TEST(Cp950, EudcAreaEdges)
{
    EXPECT_TRUE(isEudcCode(0x8140));
    EXPECT_TRUE(isEudcCode(0x8DFE));
    EXPECT_TRUE(isEudcCode(0x8E40));
    EXPECT_TRUE(isEudcCode(0xA0FE));
    EXPECT_TRUE(isEudcCode(0xC6A1));
    EXPECT_TRUE(isEudcCode(0xC8FE));
    EXPECT_TRUE(isEudcCode(0xFA40));
    EXPECT_TRUE(isEudcCode(0xFEFE));
    EXPECT_FALSE(isEudcCode(0x813F));
    EXPECT_FALSE(isEudcCode(0xA140));
    EXPECT_FALSE(isEudcCode(0xC6A0));
    EXPECT_FALSE(isEudcCode(0xC940));
    EXPECT_FALSE(isEudcCode(0xFA3F));
    EXPECT_FALSE(isEudcCode(0xFEFF));
    EXPECT_FALSE(isEudcCode(0x0041));
}

TEST(Cp950, Utf8Validation)
{
    EXPECT_TRUE(isValidUtf8({}));
    EXPECT_TRUE(isValidUtf8("plain ascii"));
    EXPECT_TRUE(isValidUtf8(u"標楷體\uF6A3"_qs.toUtf8()));
    EXPECT_TRUE(isValidUtf8(QByteArray("a\0b", 3)));
    EXPECT_FALSE(isValidUtf8(toCp950(u"標楷體")));
    EXPECT_FALSE(isValidUtf8("\xC0\x80"));         // overlong NUL
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));     // encoded surrogate
    EXPECT_FALSE(isValidUtf8("\xF4\x90\x80\x80")); // above U+10FFFF
    EXPECT_FALSE(isValidUtf8("abc\xE5\xAD"));      // cut short
}
