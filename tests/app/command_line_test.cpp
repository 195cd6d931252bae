#include <gtest/gtest.h>

#include <iterator>
#include <set>
#include <sstream>

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
    EXPECT_EQ(parsecommandline({"--version", "--help"}, "stangenspiel").Result, Outcome::Help);
    const std::string unknown = "' (try --help)", milliseconds = " needs a number of milliseconds, not '";
    const std::pair<std::string, std::string> refused[] = {
        {"--help=yes", "unknown option '--help=yes" + unknown}, {"--output=", "unknown option '--output=" + unknown},
        {"--pace=fast", "--pace" + milliseconds + "fast'"},      {"--timeout=-5", "--timeout" + milliseconds + "-5'"},
        {"--keys={Left", "unclosed '{' in the keys"},           {"--seed=x", "--seed needs a whole number, not 'x'"},
        {"--seed=99999999999999999999", "--seed needs a whole number, not '99999999999999999999'"},
        {"--zoom=9", "--zoom needs a whole factor from 1 to 8, not '9'"},
        {"--zoom=0", "--zoom needs a whole factor from 1 to 8, not '0'"}};
    for (const auto& [argument, message] : refused) {
        const t_CommandLine line = parsecommandline({argument}, "stangenspiel");
        EXPECT_EQ(std::tie(line.Result, line.Message), std::make_tuple(Outcome::Error, "stangenspiel: " + message));
    }
    const t_CommandLine recorded = parsecommandline({"--record=out/run.gif"}, "stangenspiel");
    EXPECT_TRUE(recorded.Scripted && recorded.RecordPath == "out/run.gif");  // a run without a display
    // A seed repeats a run; it makes no run headless by itself.
    for (const auto& [argument, seed] : {std::pair{"--seed=42", 42}, std::pair{"--seed=-7", -7}}) {
        const t_CommandLine line = parsecommandline({argument}, "stangenspiel");
        EXPECT_EQ(std::make_tuple(line.Result, line.HasSeed, line.Seed, line.Scripted),
                  std::make_tuple(Outcome::Run, true, int64_t{seed}, false));
    }
}

// --help names every key --keys takes, so nobody has to guess a spelling.
TEST(CommandLine, HelpListsEveryKeyName) {
    const std::string help = helptext("stangenspiel", "");
    std::istringstream words(help);
    const std::set<std::string> listed{std::istream_iterator<std::string>(words), {}};
    for (const std::string& name : typedkeynames()) EXPECT_EQ(listed.count(name), 1u) << name;
    // The names fill lines of at most 78 columns, not one name a line.
    const size_t names = help.find(" Return Enter Tab Space ");
    EXPECT_LE(help.find('\n', names) - help.rfind('\n', names) - 1, 78u);
}

TEST(TypedKeys, NotationCoversNamesControlUmlautsAndBraces) {
    EXPECT_EQ(typed("a{Left}ä^s{{}}{F1}^"), "a {Left} ä ^s { } {F1} ^ ");
    EXPECT_EQ(typed("^^x^"), "^ x ^ ");  // ^^ is a caret itself, a final ^ too
    // Names in any case and the short forms come out as the names --help lists.
    EXPECT_EQ(typed("{backspace}{RETURN}{Esc}{del}{PgUp}{pgdn}{f1}"),
              "{Backspace} {Return} {Escape} {Delete} {PageUp} {PageDown} {F1} ");
    EXPECT_EQ(typed("{Lefty}").rfind("unknown key name '{Lefty}'; the names are Return, Enter, Tab,", 0), 0u);
}
