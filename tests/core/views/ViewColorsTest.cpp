// The views' colours on light and dark desktops and the contrast rule for text.
#include <gtest/gtest.h>

#include "views/ViewColors.h"

using namespace tv;
using Role = DrawColor::Role;

TEST(ViewColors, TextThatWouldVanishIsMovedJustFarEnough) {
    const DrawColor white = DrawColor::Rgb(255, 255, 255), dark = DrawColor::Rgb(35, 38, 41);
    const struct {
        DrawColor text, background;
        bool unchanged;
    } cases[] = {
        {DrawColor::Rgb(0, 0, 0), white, true},
        {DrawColor::Rgb(192, 0, 0), white, true},      // the Alarm type's red
        {DrawColor::Rgb(255, 255, 0), white, false},   // yellow on white
        {DrawColor::Rgb(0, 64, 160), dark, false},     // the Appointment type's blue on a dark base
        {DrawColor::Rgb(255, 255, 255), dark, true},
        {DrawColor::Rgb(40, 40, 40), dark, false},
    };
    for (const auto& c : cases) {
        const DrawColor legible = LegibleOn(c.text, c.background);
        EXPECT_GE(ContrastRatio(legible, c.background), kMinTextContrast);
        EXPECT_EQ(legible == c.text, c.unchanged) << int(c.text.r) << "," << int(c.text.g) << "," << int(c.text.b);
    }
    // Yellow on white darkens but stays a yellow, not black.
    const DrawColor yellow = LegibleOn(DrawColor::Rgb(255, 255, 0), white);
    EXPECT_GT(yellow.r, 100);
    EXPECT_LT(yellow.b, 10);
    EXPECT_NEAR(ContrastRatio(DrawColor::Rgb(0, 0, 0), white), 21.0, 0.01);
}

TEST(ViewColors, LightDesktopsKeepTheClassicColoursAndDarkOnesAdapt) {
    const ViewScheme light{DesktopColors{}};
    EXPECT_FALSE(light.IsDark());
    EXPECT_EQ(light.Resolve(Role::Office), DrawColor::Rgb(255, 255, 213));
    EXPECT_EQ(light.Resolve(Role::OutsideOffice), DrawColor::Rgb(255, 244, 188));
    EXPECT_EQ(light.Resolve(Role::OddMonth), DrawColor::Rgb(222, 222, 222));
    EXPECT_EQ(light.Resolve(Role::Grid), DrawColor::Rgb(192, 192, 192));
    EXPECT_EQ(light.Resolve(Role::Weekend), DrawColor::Rgb(255, 0, 0));
    EXPECT_EQ(light.Resolve(Role::Page), DrawColor::Rgb(255, 255, 255));
    EXPECT_EQ(light.Resolve(Role::ToolTipBase), DrawColor::System(Role::ToolTipBase));

    DesktopColors d;
    d.base = DrawColor::Rgb(35, 38, 41);
    d.text = DrawColor::Rgb(239, 240, 241);
    d.button = DrawColor::Rgb(49, 54, 59);
    d.buttonText = d.text;
    const ViewScheme dark(d);
    EXPECT_TRUE(dark.IsDark());
    EXPECT_EQ(dark.Resolve(Role::Page), d.base);
    // Text stays readable on every shading, and the shadings stay apart from the page.
    for (Role shade : {Role::Office, Role::OutsideOffice, Role::OddMonth}) {
        EXPECT_GE(ContrastRatio(dark.Resolve(Role::Ink), dark.Resolve(shade)), 7.0);
        EXPECT_NE(dark.Resolve(shade), d.base);
        EXPECT_LT(RelativeLuminance(dark.Resolve(shade)), 0.2);
    }
    EXPECT_GT(RelativeLuminance(dark.Resolve(Role::Office)), RelativeLuminance(dark.Resolve(Role::OutsideOffice)));
    EXPECT_GE(ContrastRatio(dark.Resolve(Role::Weekend), d.button), kMinTextContrast);
}
