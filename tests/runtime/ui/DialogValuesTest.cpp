// Buttons, colours and fonts: the values that cross the dialog facade.
#include <QColor>
#include <QFont>

#include <gtest/gtest.h>

#include "runtime/ui/Colour.h"
#include "runtime/ui/FontChoice.h"
#include "runtime/ui/MessageButtons.h"

namespace cdz {
namespace {

TEST(MessageButtons, DefaultIsTheAskedOneWhenShownElseTheFirst) {
    struct Case {
        Buttons asked;
        Button preset;
        Button expected;
    };
    const Case cases[] = {
        {Button::Yes | Button::No, Button::Yes, Button::Yes},
        {Button::Yes | Button::No, Button::No, Button::No},
        {Button::Yes | Button::No | Button::Cancel, Button::Cancel, Button::Cancel},
        {Button::Ok, Button::None, Button::Ok},                       // no default of its own
        {Button::Retry | Button::Cancel, Button::Ok, Button::Retry},  // default not shown
        {Buttons(), Button::None, Button::Ok},  // a box always has OK at least
        {Buttons(), Button::Yes, Button::Ok},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.asked.bits());
        EXPECT_EQ(effectiveDefault(c.asked, c.preset), c.expected);
    }
    EXPECT_EQ(shownButtons(Buttons()), Buttons(Button::Ok));
    EXPECT_EQ(Buttons::fromBits(2 | 4 | 128).list(), (std::vector{Button::Yes, Button::No}));
}

TEST(MessageButtons, NamesAndCodesReadBack) {
    for (Button b : Buttons::fromBits(127).list()) {
        EXPECT_EQ(buttonFromName(buttonName(b)), b);
        EXPECT_EQ(buttonFromName(std::to_string(static_cast<int>(b))), b);
    }
    EXPECT_EQ(buttonFromName("yes"), Button::Yes);
    EXPECT_EQ(buttonFromName("ok"), Button::Ok);
    EXPECT_EQ(buttonFromName(""), std::nullopt);
    EXPECT_EQ(buttonFromName("3"), std::nullopt);
    EXPECT_EQ(buttonFromName("0"), std::nullopt);
    EXPECT_EQ(buttonFromName("Yes "), std::nullopt);
}

TEST(Colour, StoredValuesKeepRedInTheLowByte) {
    const Colour red = Colour::fromValue(255);
    EXPECT_EQ(red.red(), 255);
    EXPECT_EQ(red.blue(), 0);
    EXPECT_EQ(red.toQColor(), QColor(255, 0, 0));
    EXPECT_EQ(Colour::fromQColor(QColor(0x12, 0x34, 0x56)).value(), 0x563412);
    EXPECT_TRUE(Colour().isNone());
    EXPECT_FALSE(Colour().toQColor().isValid());
    EXPECT_TRUE(Colour::fromValue(0x1000000).isNone());
    EXPECT_EQ(Colour::fromQColor(QColor()), Colour());
}

TEST(Colour, ParsesStoredNumbersAndHexNotation) {
    struct Case {
        const char* text;
        std::optional<Colour> expected;
    };
    const Case cases[] = {
        {"255", Colour::fromValue(255)},
        {"-1", Colour()},
        {"#FF0000", Colour::fromRgb(255, 0, 0)},
        {"#0000ff", Colour::fromValue(0xFF0000)},
        {"#12345", std::nullopt},
        {"#GG0000", std::nullopt},
        {"#-12345", std::nullopt},
        {"", std::nullopt},
        {"12x", std::nullopt},
        {"99999999999", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Colour::parse(c.text), c.expected);
    }
}

TEST(FontChoice, TextFormReadsBackAndRefusesNonsense) {
    const FontChoice arial{"Arial Narrow", 10, Colour::fromValue(255), FontChoice::kBold};
    EXPECT_EQ(arial.toText(), "Arial Narrow,10,255,700");
    EXPECT_EQ(FontChoice::parse(arial.toText()), arial);
    const FontChoice commas{"Odd, Font", 12, Colour(), FontChoice::kItalic | 400};
    EXPECT_EQ(FontChoice::parse(commas.toText()), commas);
    EXPECT_EQ(FontChoice::parse("Arial, 9 ,#00FF00, 400"),
              (FontChoice{"Arial", 9, Colour::fromRgb(0, 255, 0), 400}));
    for (const char* bad : {"", "Arial", "Arial,10,255", "Arial,x,255,700", "Arial,10,red,700",
                            "Arial,-1,0,0", "Arial,10,0,-5"}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(FontChoice::parse(bad), std::nullopt);
    }
}

TEST(FontChoice, StyleCarriesWeightSlantAndEffectsThroughQFont) {
    const FontChoice choice{
        "Sans", 14, Colour::fromValue(0x00FF00),
        600 | FontChoice::kItalic | FontChoice::kUnderline | FontChoice::kStrikeOut};
    const QFont font = choice.toQFont(QFont());
    EXPECT_EQ(font.pointSize(), 14);
    EXPECT_EQ(font.weight(), QFont::DemiBold);
    EXPECT_TRUE(font.italic() && font.underline() && font.strikeOut());
    const FontChoice back = FontChoice::fromQFont(font, choice.colour);
    EXPECT_EQ(back.size, 14);
    EXPECT_EQ(back.style, choice.style);
    EXPECT_EQ(back.colour, choice.colour);

    // Weight 0 is the normal weight; an empty typeface and size 0 keep the base font's.
    QFont base("Serif", 11);
    base.setBold(true);
    const QFont plain = FontChoice{"", 0, Colour(), 0}.toQFont(base);
    EXPECT_EQ(plain.family(), base.family());
    EXPECT_EQ(plain.pointSize(), 11);
    EXPECT_EQ(plain.weight(), QFont::Normal);
    EXPECT_FALSE(plain.italic());
}

}  // namespace
}  // namespace cdz
