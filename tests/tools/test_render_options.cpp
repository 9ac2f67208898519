// The render tool's command line: what it accepts, and the one-line reason for what it does not.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string_view>
#include <vector>

#include "tools/RenderOptions.h"

namespace tavrino {
namespace {

ParsedRenderOptions Parse(std::initializer_list<std::string_view> args) {
    const std::vector<std::string_view> list(args);
    return ParseRenderOptions(list);
}

TEST(RenderOptions, DefaultsNeedOnlyTheOutput) {
    const ParsedRenderOptions p = Parse({"--output", "face.png"});
    ASSERT_EQ(p.error, "");
    EXPECT_EQ(p.options.output, "face.png");
    EXPECT_FALSE(p.options.time.has_value());
    EXPECT_EQ(p.options.width, 512);
    EXPECT_EQ(p.options.height, 512);
    EXPECT_FALSE(p.options.green);
    EXPECT_FALSE(p.options.drift);
    EXPECT_EQ(p.options.brightness, 100);
    EXPECT_FALSE(p.options.help);
}

TEST(RenderOptions, ReadsEveryOptionInBothSpellings) {
    const ParsedRenderOptions p = Parse({"--time", "07:05:59", "--size=152x112", "--green",
                                         "--drift", "--brightness", "10", "--output=a b.png"});
    ASSERT_EQ(p.error, "");
    EXPECT_EQ(p.options.time, (LocalTime{7, 5, 59}));
    EXPECT_EQ(p.options.width, 152);
    EXPECT_EQ(p.options.height, 112);
    EXPECT_TRUE(p.options.green);
    EXPECT_TRUE(p.options.drift);
    EXPECT_EQ(p.options.brightness, 10);
    EXPECT_EQ(p.options.output, "a b.png");

    const ParsedRenderOptions edges =
        Parse({"--time=23:59:00", "--size", "16384X1", "--brightness=100", "--output", "x.png"});
    ASSERT_EQ(edges.error, "");
    EXPECT_EQ(edges.options.time, (LocalTime{23, 59, 0}));
    EXPECT_EQ(edges.options.width, 16384);
    EXPECT_EQ(edges.options.height, 1);
}

TEST(RenderOptions, HelpNeedsNoOutput) {
    const ParsedRenderOptions p = Parse({"--help"});
    EXPECT_EQ(p.error, "");
    EXPECT_TRUE(p.options.help);
}

TEST(RenderOptions, BadTimesAreNamed) {
    for (const std::string_view bad :
         {"24:00:00", "12:60:00", "12:00:60", "7:05:00", "12:00", "12-00-00", "ab:cd:ef",
          "12:00:00x", "-1:00:00", "+1:00:00", ""}) {
        const ParsedRenderOptions p = Parse({"--time", bad, "--output", "x.png"});
        EXPECT_NE(p.error.find("bad time \"" + std::string(bad) + "\""), std::string::npos)
            << bad << ": " << p.error;
    }
}

TEST(RenderOptions, BadSizesAreNamed) {
    for (const std::string_view bad : {"0x512", "512x0", "16385x10", "10x16385", "512", "x512",
                                       "512x", "-5x5", "5x5x5", "99999999999x1", "12 x 12"}) {
        const ParsedRenderOptions p = Parse({"--size", bad, "--output", "x.png"});
        EXPECT_NE(p.error.find("bad size \"" + std::string(bad) + "\""), std::string::npos)
            << bad << ": " << p.error;
    }
}

TEST(RenderOptions, BadBrightnessesAreNamed) {
    for (const std::string_view bad : {"9", "101", "0", "-50", "+50", "50%", "5e1", " 50", ""}) {
        const ParsedRenderOptions p = Parse({"--brightness", bad, "--output", "x.png"});
        EXPECT_EQ(p.error, "bad brightness \"" + std::string(bad) + "\", expected 10 to 100")
            << bad;
    }
}

TEST(RenderOptions, MisusedArguments) {
    EXPECT_EQ(Parse({}).error, "missing --output FILE.png");
    EXPECT_EQ(Parse({"--time", "10:00:00"}).error, "missing --output FILE.png");
    EXPECT_EQ(Parse({"--output"}).error, "missing value after --output");
    EXPECT_EQ(Parse({"--output="}).error, "empty --output");
    EXPECT_EQ(Parse({"--output", "x.png", "--frobnicate"}).error,
              "unknown argument \"--frobnicate\"");
    EXPECT_EQ(Parse({"x.png"}).error, "unknown argument \"x.png\"");
    EXPECT_EQ(Parse({"--green=yes", "--output", "x.png"}).error,
              "--green takes no value: \"--green=yes\"");
    EXPECT_EQ(Parse({"--drift=1", "--output", "x.png"}).error,
              "--drift takes no value: \"--drift=1\"");
    // A refusal stays on one line, whatever the argument holds.
    EXPECT_EQ(Parse({"--output", "x.png", "--x\ny=1"}).error, "unknown argument \"--x\\x0ay=1\"");
    EXPECT_EQ(Parse({"--time", "1\r:00:00\x7f", "--output", "x.png"}).error,
              "bad time \"1\\x0d:00:00\\x7f\", expected HH:MM:SS");
}

}  // namespace
}  // namespace tavrino
