#include <gtest/gtest.h>

#include "app/command_line.h"

namespace {
using Outcome = t_CommandLine::Outcome;
t_CommandLine parse(std::vector<std::string> arguments) { return parsecommandline(arguments, "stangenspiel"); }
}  // namespace

TEST(CommandLine, HelpWinsOverVersionAndBadOptionsAreOneLine) {
    EXPECT_EQ(parse({"--version", "--help"}).Result, Outcome::Help);
    EXPECT_EQ(parse({"--version"}).Result, Outcome::Version);
    const t_CommandLine bad = parse({"--colour"});
    EXPECT_EQ(bad.Result, Outcome::Error);
    EXPECT_EQ(bad.Message, "stangenspiel: unknown option '--colour' (try --help)");
    EXPECT_EQ(parse({"--help=yes"}).Result, Outcome::Error);
    EXPECT_EQ(parse({"--pace=fast"}).Message, "stangenspiel: --pace needs a number of milliseconds, not 'fast'");
    EXPECT_EQ(parse({"--timeout=-5"}).Result, Outcome::Error);
    EXPECT_EQ(parse({"--output="}).Result, Outcome::Error);
    EXPECT_EQ(parse({"--keys={Lefty}"}).Message, "stangenspiel: unknown key name '{Lefty}'");
    EXPECT_EQ(parse({"--keys={Left"}).Message, "stangenspiel: unclosed '{' in the keys");
}

TEST(CommandLine, ScriptOptionsMakeAHeadlessRun) {
    EXPECT_FALSE(parse({}).Scripted);
    EXPECT_EQ(parse({}).Result, Outcome::Run);
    const t_CommandLine line = parse({"--keys=3abc", "--pace=5", "--output=/tmp/x", "--timeout=9000"});
    EXPECT_EQ(line.Result, Outcome::Run);
    EXPECT_TRUE(line.Scripted);
    EXPECT_EQ(line.Keys, "3abc");
    EXPECT_EQ(line.PaceMs, 5);
    EXPECT_EQ(line.OutputFolder, "/tmp/x");
    EXPECT_EQ(line.TimeoutMs, 9000);
}

TEST(TypedKeys, NotationCoversNamesControlUmlautsAndBraces) {
    std::vector<t_TypedKey> keys;
    std::string message;
    ASSERT_TRUE(parsetypedkeys("a{Left}ä^s{{}}{F1}^", keys, message));
    ASSERT_EQ(keys.size(), 8u);
    EXPECT_EQ(keys[0].Text, "a");
    EXPECT_EQ(keys[1].Name, "Left");
    EXPECT_EQ(keys[2].Text, "ä");
    EXPECT_TRUE(keys[3].Control);
    EXPECT_EQ(keys[3].Text, "s");
    EXPECT_EQ(keys[4].Text, "{");
    EXPECT_EQ(keys[5].Text, "}");
    EXPECT_EQ(keys[6].Name, "F1");
    EXPECT_EQ(keys[7].Text, "^");
    ASSERT_TRUE(parsetypedkeys("^^x^", keys, message));  // ^^ is a caret itself, a final ^ too
    ASSERT_EQ(keys.size(), 3u);
    EXPECT_EQ(keys[0].Text, "^");
    EXPECT_EQ(keys[1].Text, "x");
    EXPECT_EQ(keys[2].Text, "^");
}
