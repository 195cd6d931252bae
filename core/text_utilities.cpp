#include "core/text_utilities.h"

#include <unicode/brkiter.h>
#include <unicode/utext.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <string_view>

namespace {

constexpr int64_t longeststring = 32767;  // bound of the repeat, spaces and fill counts
constexpr char hexchars[] = "0123456789ABCDEF";

// Byte offsets at which the characters of s begin, followed by s.size(). Pure ASCII without
// a carriage return is one character per byte; everything else goes through ICU, which knows
// the cluster rules (CR LF, combining marks, emoji sequences).
std::vector<size_t> characterbounds(std::string_view s) {
    std::vector<size_t> bounds;
    bool simple = true;
    for (unsigned char c : s)
        if (c >= 0x80 || c == '\r') {
            simple = false;
            break;
        }
    if (simple) {
        bounds.resize(s.size() + 1);
        for (size_t i = 0; i <= s.size(); ++i) bounds[i] = i;
        return bounds;
    }
    // One iterator per thread: creating one costs far more than a whole search.
    thread_local std::unique_ptr<icu::BreakIterator> iterator;
    UErrorCode status = U_ZERO_ERROR;
    if (!iterator) {
        iterator.reset(icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
        if (U_FAILURE(status)) iterator.reset();
    }
    UText text = UTEXT_INITIALIZER;
    status = U_ZERO_ERROR;
    utext_openUTF8(&text, s.data(), static_cast<int64_t>(s.size()), &status);
    if (iterator && U_SUCCESS(status)) iterator->setText(&text, status);
    if (!iterator || U_FAILURE(status)) {
        // Without ICU's data fall back to code points, which is right for most text.
        for (size_t i = 0; i < s.size(); ++i)
            if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) bounds.push_back(i);
        bounds.push_back(s.size());
        utext_close(&text);
        return bounds;
    }
    for (int32_t b = iterator->first(); b != icu::BreakIterator::DONE; b = iterator->next())
        bounds.push_back(static_cast<size_t>(b));
    // Detach the iterator from the UText before it goes out of scope.
    iterator->setText(icu::UnicodeString());
    utext_close(&text);
    if (bounds.empty() || bounds.back() != s.size()) bounds.push_back(s.size());
    return bounds;
}

void appendutf8(std::string& out, char32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decimal digits of |v|, computed unsigned so that the most negative value has a magnitude too.
std::string magnitudedigits(int64_t v) {
    uint64_t m = v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
    char buffer[24];
    char* end = buffer + sizeof buffer;
    char* p = end;
    do {
        *--p = static_cast<char>('0' + m % 10);
        m /= 10;
    } while (m != 0);
    return std::string(p, end);
}

std::string hexdigitsof(uint64_t v, int count) {
    std::string out(static_cast<size_t>(count), '0');
    for (int i = count - 1; i >= 0; --i, v >>= 4) out[static_cast<size_t>(i)] = hexchars[v & 15];
    return out;
}

}  // namespace

std::vector<uint8_t> stringtobinary(const std::string& s) { return {s.begin(), s.end()}; }

int64_t binarytoint(const std::vector<uint8_t>& b) {
    size_t i = 0;
    while (i < b.size() && b[i] == ' ') ++i;
    bool negative = false;
    if (i < b.size() && b[i] == '-') {
        negative = true;
        ++i;
        while (i < b.size() && b[i] == ' ') ++i;
    }
    // Magnitude limit: INT64_MAX, or one more for a negative number; beyond it the result sticks.
    const uint64_t limit = static_cast<uint64_t>(std::numeric_limits<int64_t>::max()) + (negative ? 1 : 0);
    uint64_t value = 0;
    for (; i < b.size() && b[i] >= '0' && b[i] <= '9'; ++i) {
        const uint64_t digit = b[i] - '0';
        value = value > (limit - digit) / 10 ? limit : value * 10 + digit;
    }
    if (negative) return value == 0 ? 0 : static_cast<int64_t>(0 - value);
    return static_cast<int64_t>(value);
}

std::vector<uint8_t> inttobinary(int64_t v) {
    std::string text = magnitudedigits(v);
    if (v < 0) text.insert(text.begin(), '-');
    return {text.begin(), text.end()};
}

int64_t intpower(int64_t base, int64_t e) {
    if (e < 1) return 1;
    // Squaring gives the same low 64 bits as e multiplications, in at most 63 steps.
    uint64_t result = 1;
    uint64_t factor = static_cast<uint64_t>(base);
    for (uint64_t n = static_cast<uint64_t>(e); n != 0; n >>= 1) {
        if (n & 1) result *= factor;
        factor *= factor;
    }
    return static_cast<int64_t>(result);
}

int64_t stringlength(const std::string& s) {
    return static_cast<int64_t>(characterbounds(s).size()) - 1;
}

std::string stringfrom(const std::string& s, int64_t p) {
    if (p < 2) return s;
    const std::vector<size_t> bounds = characterbounds(s);
    const int64_t count = static_cast<int64_t>(bounds.size()) - 1;
    if (p > count) return {};
    return s.substr(bounds[static_cast<size_t>(p - 1)]);
}

std::string stringmid(const std::string& s, int64_t p, int64_t n) {
    if (n < 1) return {};
    if (p < 2) p = 1;
    const std::vector<size_t> bounds = characterbounds(s);
    const int64_t count = static_cast<int64_t>(bounds.size()) - 1;
    if (p > count) return {};
    const int64_t last = n > count - p + 1 ? count : p - 1 + n;  // one past, as a bound index
    const size_t from = bounds[static_cast<size_t>(p - 1)];
    return s.substr(from, bounds[static_cast<size_t>(last)] - from);
}

int64_t stringposition(const std::string& s, const std::string& needle, int64_t p) {
    if (needle.empty()) return 0;
    const std::vector<size_t> bounds = characterbounds(s);
    const int64_t count = static_cast<int64_t>(bounds.size()) - 1;
    const int64_t first = std::max<int64_t>(p, 1);  // the search covers stringfrom(s, p)
    if (first > count) return 0;
    const size_t at = s.find(needle, bounds[static_cast<size_t>(first - 1)]);
    if (at == std::string::npos) return 0;
    // Characters that lie wholly before the occurrence, counted from the start of s.
    const int64_t before = std::upper_bound(bounds.begin(), bounds.end(), at) - bounds.begin() - 1;
    // The answer counts from p, also for p < 1. Where that count comes to 0 (a match on character
    // 1 - p, the first one for p = 0) it would read as "not found": the true position answers.
    const int64_t position = p < 1 ? p + before : before + 1;
    return position == 0 ? before + 1 : position;
}

std::string stringrepeat(const std::string& s, int64_t n) {
    if (n < 1 || n > longeststring || s.empty()) return {};
    std::string out;
    out.reserve(s.size() * static_cast<size_t>(n));
    for (int64_t i = 0; i < n; ++i) out += s;
    return out;
}

std::string stringspaces(int64_t n) {
    if (n < 1 || n > longeststring) return {};
    return std::string(static_cast<size_t>(n), ' ');
}

int binarycompare(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    const size_t common = std::min(a.size(), b.size());
    const int order = common == 0 ? 0 : std::memcmp(a.data(), b.data(), common);
    if (order != 0) return order < 0 ? -1 : 1;
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

std::vector<std::vector<uint8_t>> binarysplit(const std::vector<uint8_t>& b, uint8_t sep) {
    std::vector<std::vector<uint8_t>> pieces;
    auto start = b.begin();
    for (auto it = b.begin(); it != b.end(); ++it)
        if (*it == sep) {
            pieces.emplace_back(start, it);
            start = it + 1;
        }
    if (start != b.end()) pieces.emplace_back(start, b.end());
    return pieces;
}

std::vector<uint8_t> binaryjoin(const std::vector<std::vector<uint8_t>>& pieces, uint8_t sep) {
    std::vector<uint8_t> out;
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0) out.push_back(sep);
        out.insert(out.end(), pieces[i].begin(), pieces[i].end());
    }
    return out;
}

std::string intformat(int64_t v, char32_t fill, int64_t width, bool grouping) {
    const std::string digits = magnitudedigits(v);
    std::string text = v < 0 ? "-" : "";
    for (size_t i = 0; i < digits.size(); ++i) {
        if (grouping && i > 0 && (digits.size() - i) % 3 == 0) text += '.';
        text += digits[i];
    }
    const int64_t missing = std::min(width, longeststring) - static_cast<int64_t>(text.size());
    if (missing <= 0) return text;
    std::string padding;
    for (int64_t i = 0; i < missing; ++i) appendutf8(padding, fill);
    return padding + text;
}

std::string hex2(uint8_t v) { return hexdigitsof(v, 2); }
std::string hex4(int64_t v) { return hexdigitsof(static_cast<uint64_t>(v), 4); }
std::string hex8(int64_t v) { return hexdigitsof(static_cast<uint64_t>(v), 8); }

std::vector<uint8_t> hex8binary(int64_t v) {
    const std::string digits = hex8(v);
    return {digits.begin(), digits.end()};
}
