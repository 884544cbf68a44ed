#include "platform/fonts/componenttypeface.h"
#include "platform/fonts/operatorfont.h"
#include "platform/fonts/programfonts.h"
#include "platform/fonts/typefacetable.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QRawFont>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{

std::vector<char32_t> symbolRange(char32_t first, char32_t last)
{
    std::vector<char32_t> symbols;
    for (char32_t symbol = first; symbol <= last; ++symbol)
        symbols.push_back(symbol);
    return symbols;
}

const std::vector<char32_t> operatorSymbols = symbolRange(0xF6A3, 0xF6B0);
const std::vector<char32_t> trigramSymbols = symbolRange(0xEDC0, 0xEDC7);

std::vector<char32_t> allSymbols()
{
    std::vector<char32_t> symbols = operatorSymbols;
    symbols.insert(symbols.end(), trigramSymbols.begin(), trigramSymbols.end());
    return symbols;
}

std::string codePoint(char32_t symbol)
{
    return QStringLiteral("U+%1")
        .arg(uint(symbol), 4, 16, QLatin1Char('0'))
        .toUpper()
        .toStdString();
}

// Draws the symbol on a fixed baseline, so that the main family's metrics do not move it.
QImage render(const QFont &font, char32_t symbol)
{
    QImage image(128, 128, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QPointF(16, 96), QString::fromUcs4(&symbol, 1));
    return image;
}

int inkedPixels(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        const uchar *line = image.constScanLine(y);
        for (int x = 0; x < image.width(); ++x)
            count += line[x] < 128 ? 1 : 0;
    }
    return count;
}

QFont familyOnly(const QString &family, qreal pointSize)
{
    QFont font;
    font.setFamilies({family});
    font.setPointSizeF(pointSize);
    return font;
}

QFont componentsOnly(const QString &face, qreal pointSize)
{
    return familyOnly(fonts::componentFamily(fonts::styleOf(face)), pointSize);
}

class OperatorGlyphs : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(fonts::registerProgramFonts(MURVEL_PROGRAM_DIR), QStringList());
    }
};

} // namespace

TEST_F(OperatorGlyphs, TheFontCoversExactlyTheOperatorsAndTrigrams)
{
    const QRawFont raw(QDir(MURVEL_PROGRAM_DIR).filePath(fonts::operatorFontFileName()), 48);
    ASSERT_TRUE(raw.isValid());
    EXPECT_EQ(raw.familyName(), fonts::operatorFamily());
    for (const char32_t symbol : allSymbols())
        EXPECT_TRUE(raw.supportsCharacter(symbol)) << codePoint(symbol);
    for (const char32_t outside : {U'\uF6A2', U'\uF6B1', U'\uEDBF', U'\uEDC8'})
        EXPECT_FALSE(raw.supportsCharacter(outside)) << codePoint(outside);
}

// One box for every private-use code, so that no system font is asked for one.
TEST_F(OperatorGlyphs, TheBoxFontDrawsOneBoxForThePrivateUseArea)
{
    const QRawFont raw(QDir(MURVEL_PROGRAM_DIR).filePath(fonts::privateUseBoxFileName()), 48);
    ASSERT_TRUE(raw.isValid());
    EXPECT_EQ(raw.familyName(), fonts::privateUseBoxFamily());
    const auto glyphOf = [&](char32_t code) {
        return raw.glyphIndexesForString(QString::fromUcs4(&code, 1)).value(0);
    };
    const quint32 box = glyphOf(0xE000);
    EXPECT_NE(box, 0u);
    for (const char32_t other : {U'\uF6A4', U'\uEDC0', U'\uE010', U'\uF8FF'})
        EXPECT_EQ(glyphOf(other), box) << codePoint(other);
    for (const char32_t outside : {U'A', U'字', U'\uF900', char32_t(0xDFFF)})
        EXPECT_FALSE(raw.supportsCharacter(outside)) << codePoint(outside);
}

TEST_F(OperatorGlyphs, EverySymbolIsDrawnWithInk)
{
    const QFont kai = fonts::fontFor("標楷體", 48);
    for (const char32_t symbol : allSymbols())
        EXPECT_GT(inkedPixels(render(kai, symbol)), 100) << codePoint(symbol);
}

TEST_F(OperatorGlyphs, DistinctSymbolsLookDifferent)
{
    const QFont kai = fonts::fontFor("標楷體", 48);
    const std::vector<char32_t> symbols = allSymbols();
    std::vector<QImage> images;
    for (const char32_t symbol : symbols)
        images.push_back(render(kai, symbol));
    for (size_t i = 0; i < images.size(); ++i) {
        for (size_t j = i + 1; j < images.size(); ++j)
            EXPECT_NE(images[i], images[j])
                << codePoint(symbols[i]) << " " << codePoint(symbols[j]);
    }
}

QFont fallbackOnly(qreal pointSize)
{
    QFont font;
    font.setFamilies({QStringLiteral("HanaMinA"), QStringLiteral("HanaMinB")});
    font.setPointSizeF(pointSize);
    return font;
}

// Characters of the CJK extensions that the stand-in faces lack: 㫃 (A), 𠀋 (B).
TEST_F(OperatorGlyphs, CjkExtensionsComeFromTheFallbackWhateverTheFace)
{
    for (const char *face : {"標楷體", "細明體", "標楷體外字集一", "zodi"}) {
        for (const char32_t character : {U'\U00003AC3', U'\U0002000B'}) {
            const QImage drawn = render(fonts::fontFor(face, 48), character);
            EXPECT_GT(inkedPixels(drawn), 100) << face << " " << codePoint(character);
            EXPECT_EQ(drawn, render(fallbackOnly(48), character))
                << face << " " << codePoint(character);
        }
    }
}

// Ordinary text is drawn by the installed family: neither the families in front of it (the
// private-use ones) nor the fallback behind it draw what it has.
TEST_F(OperatorGlyphs, InstalledFamiliesDrawTheTextOfTheirFaces)
{
    const std::pair<const char *, const char *> faces[] = {
        {"標楷體", "AR PL UKai TW"}, {"細明體", "AR PL UMing TW"}, {"zodi", "AR PL UKai TW"}};
    for (const auto &[face, family] : faces) {
        for (const char32_t character : {U'旅', U'字', U'A'})
            EXPECT_EQ(render(fonts::fontFor(face, 48), character),
                      render(familyOnly(family, 48), character))
                << face << " " << codePoint(character);
    }
}

TEST_F(OperatorGlyphs, SymbolsComeFromTheComponentTypefaceWhateverTheFace)
{
    for (const char *face : {"標楷體", "細明體", "標楷體外字集一", "qel98m", "zodi"}) {
        const QFont font = fonts::fontFor(face, 48);
        for (const char32_t symbol : allSymbols()) {
            EXPECT_EQ(render(font, symbol), render(componentsOnly(face, 48), symbol))
                << face << " " << codePoint(symbol);
        }
    }
}

// U+E010 (the top of 左) and U+E011 come from the component typeface of the face's style;
// a private-use code that none of ours draws is a box, never a system font's character.
TEST_F(OperatorGlyphs, PrivateUseCodesAreDrawnByOurFontsOnly)
{
    for (const char *face : {"標楷體", "細明體", "Liberation Serif"}) {
        for (const char32_t component : {U'\uE010', U'\uE011', U'\uE012'}) {
            const QImage drawn = render(fonts::fontFor(face, 48), component);
            EXPECT_GT(inkedPixels(drawn), 100) << face << " " << codePoint(component);
            EXPECT_EQ(drawn, render(componentsOnly(face, 48), component))
                << face << " " << codePoint(component);
        }
        // A missing character of 字體 1 outside its own face, and a code nothing of ours has.
        for (const char32_t unknown : {U'\uE000', U'\uF000'})
            EXPECT_EQ(render(fonts::fontFor(face, 48), unknown),
                      render(familyOnly(fonts::privateUseBoxFamily(), 48), unknown))
                << face << " " << codePoint(unknown);
    }
}
