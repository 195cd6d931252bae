#include <gtest/gtest.h>

#include "app/command_line.h"

namespace {
using Outcome = t_CommandLine::Outcome;

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

// Help wins over version; a bad value is one line naming it.
TEST(CommandLine, OutcomesAndRefusals) {
    const std::tuple<std::vector<std::string>, Outcome, std::string> rows[] = {
        {{"--version", "--help"}, Outcome::Help, ""},
        {{"--help=yes"}, Outcome::Error, "stangenspiel: unknown option '--help=yes' (try --help)"},
        {{"--pace=fast"}, Outcome::Error, "stangenspiel: --pace needs a number of milliseconds, not 'fast'"},
        {{"--output="}, Outcome::Error, "stangenspiel: unknown option '--output=' (try --help)"},
        {{"--audio="}, Outcome::Error, "stangenspiel: unknown option '--audio=' (try --help)"},
        {{"--keys={Left"}, Outcome::Error, "stangenspiel: unclosed '{' in the keys"}};
    for (const auto& [arguments, result, message] : rows) {
        const t_CommandLine line = parsecommandline(arguments, "stangenspiel");
        EXPECT_EQ(line.Result, result) << arguments[0];
        EXPECT_EQ(line.Message, message);
    }
}

TEST(TypedKeys, NotationCoversNamesControlUmlautsAndBraces) {
    EXPECT_EQ(typed("a{Left}ä^s{{}}{F1}^"), "a {Left} ä ^s { } {F1} ^ ");
    EXPECT_EQ(typed("^^x^"), "^ x ^ ");  // ^^ is a caret itself, a final ^ too
    EXPECT_EQ(typed("{Lefty}"), "unknown key name '{Lefty}'");
}
