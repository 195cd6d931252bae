// Conversions between strings, byte arrays and numbers in the manner of a BASIC interpreter's
// string functions: positions count from 1, out-of-range arguments give an empty result.
// Strings are UTF-8; a "character" is an extended grapheme cluster. All are pure functions,
// safe on any thread, and print nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// --- strings and byte arrays ------------------------------------------------------------------
std::vector<uint8_t> stringtobinary(const std::string& s);  // the UTF-8 bytes of s
int64_t binarytoint(const std::vector<uint8_t>& b);  // " - 42abc" -> -42; 0 without digits; saturates
std::vector<uint8_t> inttobinary(int64_t v);          // decimal digits as bytes, leading '-' if negative
int64_t intpower(int64_t base, int64_t e);            // 1 when e < 1; wraps modulo 2^64 on overflow

// --- 1-based character functions ---------------------------------------------------------------
int64_t stringlength(const std::string& s);                 // number of characters
std::string stringfrom(const std::string& s, int64_t p);    // characters p..end; all when p < 2
std::string stringmid(const std::string& s, int64_t p, int64_t n);  // n characters from p, cut at the end
// 1-based position of the first occurrence of needle at or after character p, 0 when none
// (also for an empty needle); p < 1 searches from the start.
int64_t stringposition(const std::string& s, const std::string& needle, int64_t p);
std::string stringrepeat(const std::string& s, int64_t n);  // "" when n < 1, n > 32,767 or s empty
std::string stringspaces(int64_t n);                        // "" when n < 1 or n > 32,767

// --- byte arrays as text -----------------------------------------------------------------------
int binarycompare(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b);  // -1, 0, 1; prefix is smaller
// Pieces between separators; a separator at the very end adds no empty piece; empty b -> none.
std::vector<std::vector<uint8_t>> binarysplit(const std::vector<uint8_t>& b, uint8_t sep);
std::vector<uint8_t> binaryjoin(const std::vector<std::vector<uint8_t>>& pieces, uint8_t sep);

// --- number formatting ---------------------------------------------------------------------------
// Decimal text of v, "." between groups of three when grouping, fill put in front (before the
// sign) up to width characters; the fill stops at 32,767 characters.
std::string intformat(int64_t v, char32_t fill, int64_t width, bool grouping);
std::string hex2(uint8_t v);                  // "0A"
std::string hex4(int64_t v);                  // low 16 bits: "BEEF"
std::string hex8(int64_t v);                  // low 32 bits: "00D12000"
std::vector<uint8_t> hex8binary(int64_t v);   // the same eight digits as bytes
