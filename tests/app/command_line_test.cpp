#include <gtest/gtest.h>

#include "app/command_line.h"

namespace {
using Outcome = t_CommandLine::Outcome;
t_CommandLine parse(std::vector<std::string> arguments) { return parsecommandline(arguments, "stangenspiel"); }

// The keys one by one, a named key in braces and Control as a caret, or the refusal.
std::string typed(const std::string& notation) {
    std::vector<t_TypedKey> keys;
    std::string text;
    if (!parsetypedkeys(notation, keys, text)) return text;
    for (const t_TypedKey& key : keys)
        text += (key.Control ? "^" : "") + (key.Name.empty() ? key.Text : "{" + key.Name + "}") + " ";
    return text;
}
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
    EXPECT_EQ(typed("a{Left}ä^s{{}}{F1}^"), "a {Left} ä ^s { } {F1} ^ ");
    EXPECT_EQ(typed("^^x^"), "^ x ^ ");  // ^^ is a caret itself, a final ^ too
    EXPECT_EQ(typed("{Lefty}"), "unknown key name '{Lefty}'");
    EXPECT_EQ(typed("{Left"), "unclosed '{' in the keys");
}
