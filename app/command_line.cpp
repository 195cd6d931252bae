#include "app/command_line.h"

#include <array>
#include <cctype>
#include <charconv>

namespace {

// Short forms people write for some names. Neither they nor the names clash when case is
// ignored, so every spelling still means one key.
struct t_KeyAlias {
    const char* Alias;
    const char* Name;
};
constexpr std::array<t_KeyAlias, 4> keyaliases{{{"Esc", "Escape"}, {"Del", "Delete"}, {"PgUp", "PageUp"},
                                                 {"PgDn", "PageDown"}}};

bool sameletters(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// The name as --help spells it, or "" for none.
std::string canonicalkeyname(const std::string& spelling) {
    for (const std::string& name : typedkeynames())
        if (sameletters(spelling, name)) return name;
    for (const t_KeyAlias& alias : keyaliases)
        if (sameletters(spelling, alias.Alias)) return alias.Name;
    return "";
}

std::string joined(const std::vector<std::string>& names, const std::string& separator) {
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : separator) + name;
    return text;
}

// The key names as --help lists them, wrapped below the option texts.
std::string keynamelines() {
    const std::string indent(20, ' ');
    std::string text, line;
    for (const std::string& name : typedkeynames()) {
        if (!line.empty() && indent.size() + line.size() + 1 + name.size() > 78) {
            text += indent + line + "\n";
            line.clear();
        }
        line += (line.empty() ? "" : " ") + name;
    }
    return text + indent + line + "\n";
}

bool parsenumber(const std::string& text, int64_t& value) {
    const char* end = text.data() + text.size();
    auto [last, error] = std::from_chars(text.data(), end, value);
    return !text.empty() && error == std::errc() && last == end;
}

// Length of the UTF-8 sequence that starts with this byte (1 for a stray continuation byte).
size_t sequencelength(unsigned char lead) {
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

t_CommandLine failure(const std::string& message) {
    t_CommandLine line;
    line.Result = t_CommandLine::Outcome::Error;
    line.Message = message;
    return line;
}

}  // namespace

const std::vector<std::string>& typedkeynames() {
    static const std::vector<std::string> names{
        "Return", "Enter", "Tab", "Space", "Escape", "Backspace", "Delete", "Left", "Right", "Up", "Down",
        "Home", "End", "PageUp", "PageDown", "F1", "F2", "F3", "F4", "F5", "F6", "Help"};
    return names;
}

std::string versiontext(const std::string& programfile, const std::string& version) {
    return programfile + " " + version;
}

std::string helptext(const std::string& programfile, const std::string& description) {
    return "Usage: " + programfile + " [OPTION]...\n" + (description.empty() ? "" : description + "\n") +
           "\n"
           "Without options the program opens its windows and runs until you quit it.\n"
           "\n"
           "  --zoom=N          show every window N times as large (1-8), each pixel N x N;\n"
           "                    Ctrl+Shift+Plus and Ctrl+Shift+Minus change it, Ctrl+Shift+F\n"
           "                    shows the front window full screen\n"
           "\n"
           "Scripted headless runs (no display needed):\n"
           "  --keys=KEYS       type KEYS into the program, one after the other;\n"
           "                    {Name} types a special key, ^x is Control+x, {{ and }}\n"
           "                    stand for the braces themselves. The names, in any case\n"
           "                    (Esc, Del, PgUp and PgDn also do):\n" +
           keynamelines() +
           "  --pace=MS         milliseconds between two keys (default 50)\n"
           "  --output=FOLDER   when the program has ended, write every visible window as\n"
           "                    windowN.png and its text screen as windowN.txt into FOLDER,\n"
           "                    and printer.txt and console.txt when the program used them;\n"
           "                    a file that cannot be written gives a line and exit code 1\n"
           "  --timeout=MS      stop after MS milliseconds even if the program has not ended\n"
           "                    (default 60000); the exit code is then 1\n"
           "  --record=FILE.gif record the main window from its first picture to the end\n"
           "                    as an animated GIF; a recording that fails gives exit code 1\n"
           "  --audio=FILE.wav  write everything the program plays as a 48 kHz 16-bit stereo\n"
           "                    WAV file on the program's own timeline (no audio device used)\n"
           "\n"
           "  --seed=N          start the random numbers from N (a whole number), so that\n"
           "                    a run with the same keys repeats exactly\n"
           "  --help            show this help and exit\n"
           "  --version         show the version and exit\n";
}

bool parsetypedkeys(const std::string& notation, std::vector<t_TypedKey>& keys, std::string& message) {
    keys.clear();
    for (size_t i = 0; i < notation.size();) {
        const char c = notation[i];
        if (c == '{' && i + 1 < notation.size() && notation[i + 1] == '{') {
            keys.push_back({"", "{", false});
            i += 2;
        } else if (c == '}' && i + 1 < notation.size() && notation[i + 1] == '}') {
            keys.push_back({"", "}", false});
            i += 2;
        } else if (c == '{') {
            const size_t close = notation.find('}', i);
            if (close == std::string::npos) {
                message = "unclosed '{' in the keys";
                return false;
            }
            const std::string name = canonicalkeyname(notation.substr(i + 1, close - i - 1));
            if (name.empty()) {
                message = "unknown key name '" + notation.substr(i, close - i + 1) + "'; the names are " +
                          joined(typedkeynames(), ", ");
                return false;
            }
            keys.push_back({name, "", false});
            i = close + 1;
        } else if (c == '^' && i + 1 < notation.size() && notation[i + 1] != '^') {
            const size_t length = sequencelength(static_cast<unsigned char>(notation[i + 1]));
            keys.push_back({"", notation.substr(i + 1, length), true});
            i += 1 + length;
        } else if (c == '^') {
            keys.push_back({"", "^", false});
            i += (i + 1 < notation.size()) ? 2 : 1;
        } else {
            const size_t length = sequencelength(static_cast<unsigned char>(c));
            keys.push_back({"", notation.substr(i, length), false});
            i += length;
        }
    }
    return true;
}

t_CommandLine parsecommandline(const std::vector<std::string>& arguments, const std::string& programfile) {
    t_CommandLine line;
    for (const std::string& argument : arguments) {
        const size_t equals = argument.find('=');
        const std::string option = argument.substr(0, equals);
        const std::string value = equals == std::string::npos ? "" : argument.substr(equals + 1);
        const bool hasvalue = equals != std::string::npos;
        if (option == "--help" && !hasvalue) {
            line.Result = t_CommandLine::Outcome::Help;
        } else if (option == "--version" && !hasvalue) {
            if (line.Result == t_CommandLine::Outcome::Run) line.Result = t_CommandLine::Outcome::Version;
        } else if (option == "--keys" && hasvalue) {
            std::vector<t_TypedKey> keys;
            std::string message;
            if (!parsetypedkeys(value, keys, message)) return failure(programfile + ": " + message);
            line.Keys = value;
            line.Scripted = true;
        } else if ((option == "--pace" || option == "--timeout") && hasvalue) {
            int64_t number = 0;
            if (!parsenumber(value, number) || number < 0 || number > 86400000)
                return failure(programfile + ": " + option + " needs a number of milliseconds, not '" + value + "'");
            (option == "--pace" ? line.PaceMs : line.TimeoutMs) = number;
            line.Scripted = true;
        } else if (option == "--seed" && hasvalue) {
            if (!parsenumber(value, line.Seed))
                return failure(programfile + ": --seed needs a whole number, not '" + value + "'");
            line.HasSeed = true;
        } else if (option == "--zoom" && hasvalue) {
            if (!parsenumber(value, line.Zoom) || line.Zoom < 1 || line.Zoom > 8)
                return failure(programfile + ": --zoom needs a whole factor from 1 to 8, not '" + value + "'");
        } else if (option == "--output" && hasvalue && !value.empty()) {
            line.OutputFolder = value;
            line.Scripted = true;
        } else if (option == "--record" && hasvalue && !value.empty()) {
            line.RecordPath = value;
            line.Scripted = true;
        } else if (option == "--audio" && hasvalue && !value.empty()) {
            line.AudioFile = value;
            line.Scripted = true;
        } else {
            return failure(programfile + ": unknown option '" + argument + "' (try --help)");
        }
    }
    return line;
}
