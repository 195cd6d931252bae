#include "graphics/lzw.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <utility>

#include "core/clock.h"
#include "core/report.h"
#include "core/text_utilities.h"

namespace {

constexpr t_LZWCode firstfreecode = 256;
constexpr uint64_t progressstep = 0x80000;     // progress is checked every 512 KB
constexpr int64_t progressinterval = 1000;     // ms between two progress lines

// --- coder dictionary ---------------------------------------------------------------------------
// Zeroed memory for the tables. Large ones are mapped fresh, so they need no clearing pass, and
// backed by huge pages where the system allows it, which spares most page faults and TLB
// misses; small ones come from the heap, where mapping and unmapping would cost more.
class ZeroedBuffer {
public:
    ZeroedBuffer() = default;
    explicit ZeroedBuffer(size_t bytes) : size(bytes), mapped(bytes >= hugepage) {
        if (mapped) {
            memory = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
            if (memory == MAP_FAILED) throw std::bad_alloc();
            ::madvise(memory, size, MADV_HUGEPAGE);
        } else {
            memory = std::calloc(size, 1);
            if (memory == nullptr) throw std::bad_alloc();
        }
    }
    ZeroedBuffer(ZeroedBuffer&& other) noexcept { swap(other); }
    ZeroedBuffer& operator=(ZeroedBuffer&& other) noexcept {
        swap(other);
        return *this;
    }
    ~ZeroedBuffer() {
        if (memory == nullptr) return;
        if (mapped) ::munmap(memory, size);
        else std::free(memory);
    }
    template <typename T>
    T* as() const { return static_cast<T*>(memory); }

private:
    void swap(ZeroedBuffer& other) noexcept {
        std::swap(memory, other.memory);
        std::swap(size, other.size);
        std::swap(mapped, other.mapped);
    }

    static constexpr size_t hugepage = size_t{2} << 20;
    void* memory = nullptr;
    size_t size = 0;
    bool mapped = false;
};

// Strings are (prefix code, next byte) pairs. Pairs with a one-byte prefix, the most frequent
// look-ups, sit in a direct 64K table that stays in cache. A longer prefix keeps its first child
// beside it in `nodes`: in repetitive data nearly every string has one continuation, so a
// look-up there is a single memory access, and a prefix without children (where most strings
// end) is answered without any table. Further children go to a flat open-addressing table of
// (prefix, code) slots, with the byte of each code in `suffix`; slot code 0 marks an empty slot
// (real codes are >= 256). The node also holds one bit per byte class of those further children,
// so a byte the prefix has never been followed by skips the comparisons along the probe.
struct Slot {
    t_LZWCode Prefix;
    t_LZWCode Code;
};

class Dictionary {
public:
    explicit Dictionary(uint64_t expected) : pairs(new t_LZWCode[65536]()) {
        nodes.reserve(expected);
        suffix.reserve(expected);
        resize(12);
    }

    // The code of (prefix, byte), or 0 after adding it as `next`.
    t_LZWCode findoradd(t_LZWCode prefix, uint8_t byte, t_LZWCode next) {
        if (prefix < firstfreecode) {
            t_LZWCode& entry = pairs[(prefix << 8) | byte];
            if (entry != 0) return entry;
            entry = next;
            return added(byte);
        }
        // Bits 0-31: the first child's code (0: none); 32-39: its byte; 40-63: byte classes.
        uint64_t& node = nodes[prefix - firstfreecode];
        const auto child = static_cast<t_LZWCode>(node);
        if (child == 0) {
            node = next | uint64_t{byte} << 32;
            return added(byte);
        }
        if (static_cast<uint8_t>(node >> 32) == byte) return child;
        const uint64_t flag = uint64_t{1} << (40 + byte % 24);
        const bool maybe = (node & flag) != 0;
        node |= flag;
        return findoraddslot(prefix, byte, next, maybe);
    }

private:
    t_LZWCode added(uint8_t byte) {
        suffix.push_back(byte);
        nodes.push_back(0);
        return 0;
    }

    t_LZWCode findoraddslot(t_LZWCode prefix, uint8_t byte, t_LZWCode next, bool maybe) {
        uint64_t i = slotof((uint64_t{prefix} << 8) | byte);
        for (; slots[i].Code != 0; i = (i + 1) & mask)
            if (maybe && slots[i].Prefix == prefix && suffix[slots[i].Code - firstfreecode] == byte) return slots[i].Code;
        slots[i] = Slot{prefix, next};
        added(byte);
        if (++used > limit) resize(bits + 1);
        return 0;
    }

    uint64_t slotof(uint64_t key) const { return (key * 0x9E3779B97F4A7C15ull) >> (64 - bits); }

    void resize(int newbits) {
        ZeroedBuffer oldtable = std::move(table);
        const Slot* old = slots;
        const uint64_t oldsize = old ? mask + 1 : 0;
        bits = newbits;
        mask = (uint64_t{1} << bits) - 1;
        limit = (mask + 1) / 4 * 3;  // 75 %: probe runs stay short; only further children live here
        table = ZeroedBuffer((mask + 1) * sizeof(Slot));
        slots = table.as<Slot>();
        for (uint64_t j = 0; j < oldsize; ++j) {
            const Slot slot = old[j];
            if (slot.Code == 0) continue;
            uint64_t i = slotof((uint64_t{slot.Prefix} << 8) | suffix[slot.Code - firstfreecode]);
            while (slots[i].Code != 0) i = (i + 1) & mask;
            slots[i] = slot;
        }
    }

    std::unique_ptr<t_LZWCode[]> pairs;
    ZeroedBuffer table;
    Slot* slots = nullptr;
    std::vector<uint64_t> nodes;  // first child and byte classes of code 256 + i
    std::vector<uint8_t> suffix;  // byte of code 256 + i
    uint64_t mask = 0, used = 0, limit = 0;
    int bits = 0;
};

// --- progress lines -----------------------------------------------------------------------------
struct Progress {
    uint64_t total;
    int64_t last = steadymilliseconds();
    std::string totaltext = intformat(static_cast<int64_t>(total), U' ', 0, true);

    void at(uint64_t index) {
        const int64_t now = steadymilliseconds();
        if (now - last <= progressinterval) return;
        last = now;
        logline("texttolzwunpacked: " + std::to_string(index * 100 / total) + "% of " + totaltext + " Bytes.");
    }
};

// --- decoder ------------------------------------------------------------------------------------
// Every dictionary entry is a piece of the output already written: the entry made after code
// i is the output of code i plus the first byte of code i + 1, that is the bytes from where
// code i's output starts up to and including where code i + 1's starts. So the decoder keeps
// only the output position of each code, and an entry is one copy within the output.
class Decoder {
public:
    Decoder(int width, uint64_t codecount, uint64_t maxoutput, std::vector<uint8_t>& out)
        : maxoutput(std::min<uint64_t>(maxoutput, UINT32_MAX)), out(out) {
        // Codes of this width cannot name entries beyond 2^width, so their starts are not kept.
        const uint64_t reachable = uint64_t{1} << width;
        keptstarts = reachable > firstfreecode ? reachable - firstfreecode + 2 : 0;
        // Every code writes at least one byte, so no more codes than output bytes are decoded.
        starts.reserve(std::min({keptstarts, codecount, this->maxoutput}));
        out.clear();
    }

    bool add(t_LZWCode code) {
        const uint64_t size = out.size();
        if (count == 0) return append(static_cast<uint8_t>(code & 0xFF), size);
        if (code < firstfreecode) return append(static_cast<uint8_t>(code), size);
        const uint64_t next = firstfreecode + count - 1;
        if (code > next) return false;
        const bool known = code < next;
        // A known entry ends where the next code's output starts; the code not yet in the
        // dictionary is the previous output followed by its own first byte.
        const uint64_t from = known ? starts[code - firstfreecode] : laststart;
        const uint64_t length = known ? starts[code - firstfreecode + 1] - from + 1 : size - laststart + 1;
        if (size + length > maxoutput) return false;
        grow(size + length);
        uint8_t* base = out.data();
        if (known) {
            std::memcpy(base + size, base + from, length);
        } else {
            std::memcpy(base + size, base + from, length - 1);
            base[size + length - 1] = base[from];
        }
        return record(size);
    }

private:
    bool append(uint8_t byte, uint64_t size) {
        if (size + 1 > maxoutput) return false;
        grow(size + 1);
        out[size] = byte;
        return record(size);
    }

    // Notes where the code's output starts; the vector only ever grows to the size asked.
    bool record(uint64_t start) {
        if (starts.size() < keptstarts) starts.push_back(static_cast<uint32_t>(start));
        laststart = start;
        ++count;
        return true;
    }

    void grow(uint64_t size) {
        if (out.capacity() < size) out.reserve(std::min<uint64_t>(std::max<uint64_t>(size, out.capacity() * 2), maxoutput));
        out.resize(size);
    }

    uint64_t maxoutput;
    std::vector<uint8_t>& out;
    std::vector<uint32_t> starts;  // output position of code i's output
    uint64_t keptstarts = 0;
    uint64_t laststart = 0;
    uint64_t count = 0;            // codes decoded so far
};

// Reads width-bit codes, most significant bit first, from a byte range.
class BitReader {
public:
    BitReader(const uint8_t* data, size_t size, int width) : p(data), end(data + size), width(width) {}

    bool next(t_LZWCode& code) {
        while (held < width) {
            if (p == end) return false;
            acc = (acc << 8) | *p++;
            held += 8;
        }
        held -= width;
        code = static_cast<t_LZWCode>((acc >> held) & ((uint64_t{1} << width) - 1));
        return true;
    }

private:
    const uint8_t* p;
    const uint8_t* end;
    int width;
    uint64_t acc = 0;
    int held = 0;
};

}  // namespace

t_LZWCodes texttolzwunpacked(const std::vector<uint8_t>& data) {
    t_LZWCodes result;
    const uint64_t n = data.size();
    if (n == 0) return result;
    if (n > largestlzwinput) {
        reportfailure("texttolzwunpacked", "Input too large.");
        result.Width = 0;
        return result;
    }
    const uint64_t expected = std::min<uint64_t>(n / 4 + 16, 1 << 20);  // codes, as a first guess
    Dictionary dictionary(expected);
    Progress progress{n};
    std::vector<t_LZWCode>& codes = result.Codes;
    codes.reserve(expected);
    t_LZWCode w = data[0];
    t_LZWCode next = firstfreecode;
    t_LZWCode largest = 0;
    const uint8_t* bytes = data.data();
    for (uint64_t i = 1; i < n; ++i) {
        if ((i & (progressstep - 1)) == 0) progress.at(i);
        const uint8_t c = bytes[i];
        const t_LZWCode found = dictionary.findoradd(w, c, next);
        if (found != 0) {
            w = found;
            continue;
        }
        codes.push_back(w);
        largest = std::max(largest, w);
        ++next;
        w = c;
    }
    codes.push_back(w);
    largest = std::max(largest, w);
    while ((uint64_t{1} << result.Width) <= largest) ++result.Width;
    return result;
}

std::vector<uint8_t> lzwpackcodes(const std::vector<t_LZWCode>& codes, int64_t width) {
    if (codes.empty() || width < 1 || width > 32) return {};
    const uint64_t bitcount = codes.size() * static_cast<uint64_t>(width);
    std::vector<uint8_t> out((bitcount + 7) / 8);
    const uint64_t mask = (uint64_t{1} << width) - 1;
    uint8_t* p = out.data();
    uint64_t acc = 0;
    int held = 0;
    for (const t_LZWCode code : codes) {
        acc = (acc << width) | (code & mask);
        held += static_cast<int>(width);
        while (held >= 8) {
            held -= 8;
            *p++ = static_cast<uint8_t>(acc >> held);
        }
    }
    if (held > 0) *p = static_cast<uint8_t>(acc << (8 - held));
    return out;
}

std::vector<uint8_t> lzwpack(const std::vector<uint8_t>& data) {
    const t_LZWCodes coded = texttolzwunpacked(data);
    if (coded.Width == 0) return {};
    std::vector<uint8_t> out{static_cast<uint8_t>(coded.Width)};
    const std::vector<uint8_t> packed = lzwpackcodes(coded.Codes, coded.Width);
    out.insert(out.end(), packed.begin(), packed.end());
    return out;
}

std::vector<t_LZWCode> lzwunpackcodes(const std::vector<uint8_t>& bits, int64_t width, uint64_t maxcodes) {
    std::vector<t_LZWCode> codes;
    if (width < 1 || width > 31) return codes;
    const uint64_t available = bits.size() * 8 / static_cast<uint64_t>(width);
    if (available > maxcodes) return codes;
    codes.reserve(available);
    BitReader reader(bits.data(), bits.size(), static_cast<int>(width));
    for (t_LZWCode code; reader.next(code);) codes.push_back(code);
    return codes;
}

bool lzwdecodecodes(const std::vector<t_LZWCode>& codes, uint64_t maxoutput, std::vector<uint8_t>& out) {
    Decoder decoder(32, codes.size(), maxoutput, out);
    for (const t_LZWCode code : codes)
        if (!decoder.add(code)) {
            out = {};
            return false;
        }
    return true;
}

bool lzwunpack(const std::vector<uint8_t>& coded, uint64_t maxoutput, std::vector<uint8_t>& out) {
    out.clear();
    if (coded.empty()) return true;
    const int width = coded[0];
    if (width < 1 || width > 31) return false;
    Decoder decoder(width, (coded.size() - 1) * 8 / static_cast<uint64_t>(width), maxoutput, out);
    BitReader reader(coded.data() + 1, coded.size() - 1, width);
    for (t_LZWCode code; reader.next(code);)
        if (!decoder.add(code)) {
            out = {};
            return false;
        }
    return true;
}
