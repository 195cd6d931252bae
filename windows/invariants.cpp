#include "windows/invariants.h"

#include <algorithm>
#include <vector>

#include "core/framework_state.h"
#include "graphics/plot.h"

namespace {

struct t_Block {
    int64_t Start;
    int64_t End;
    std::string Name;
};

std::string blockproblem(const t_Block& b) {
    if (b.Start % 1024 != 0) return b.Name + " starts at " + std::to_string(b.Start) + ", not a multiple of 1024";
    if (b.Start > b.End) return b.Name + " ends before it starts";
    if (b.Start < reservedmemory) return b.Name + " reaches into the reserved 64 KB";
    if (b.End > videomemorytop) return b.Name + " ends above the top of video memory";
    if (b.Start <= framework.highmemory) return b.Name + " lies below highmemory";
    return "";
}

std::string recordproblem(int number, const t_Window& w, std::vector<t_Block>& blocks) {
    const std::string name = "window " + std::to_string(number);
    if (!supportedbitdepth(w.BitDepth)) return name + " has bit depth " + std::to_string(w.BitDepth);
    if (w.Width < 32 || w.Width > 8192 || w.Height < 32 || w.Height > 8192) return name + " has an impossible size";
    if ((w.BitDepth == 1 && w.Width % 8 != 0) || (w.BitDepth == 4 && w.Width % 4 != 0))
        return name + " has a width its depth does not allow";
    const t_Block graphic{w.MemoryStart, w.MemoryEnd, name + "'s graphic block"};
    if (std::string p = blockproblem(graphic); !p.empty()) return p;
    if (!graphicmemoryvalid(w)) return name + "'s graphic block is too small for its pixels";
    blocks.push_back(graphic);
    if (w.TextMemoryStart == -1 && w.TextMemoryEnd == -1) return "";
    const t_Block text{w.TextMemoryStart, w.TextMemoryEnd, name + "'s text block"};
    if (std::string p = blockproblem(text); !p.empty()) return p;
    if (text.End >= graphic.Start) return name + "'s text block does not lie below its graphic block";
    if (w.TextWidth < 1 || w.TextHeight < 1 || (text.End - text.Start + 1) / 2 < w.TextWidth * w.TextHeight)
        return name + "'s text block cannot hold its text screen";
    if (w.TextFirstColumn < 1 || w.TextFirstColumn > w.TextLastColumn || w.TextLastColumn > w.TextWidth ||
        w.TextFirstLine < 1 || w.TextFirstLine > w.TextLastLine || w.TextLastLine > w.TextHeight)
        return name + "'s text area lies outside its text screen";
    blocks.push_back(text);
    return "";
}

}  // namespace

std::string checkframeworkinvariants() {
    FrameworkLock lock;
    if (!framework.frameworkready) return "";
    if (static_cast<int64_t>(framework.videomemory.size()) != videomemorysize) return "video memory has the wrong size";
    if (framework.highmemory < reservedmemory - 1 || framework.highmemory > videomemorytop)
        return "highmemory lies outside the allocatable memory";
    std::vector<t_Block> blocks;
    for (int number = 0; number < windowcount; ++number) {
        const t_Window& w = framework.windows[static_cast<size_t>(number)];
        if (!w.Initialized) continue;
        if (std::string p = recordproblem(number, w, blocks); !p.empty()) return p;
    }
    // Highest first: every block must end right below the one above it, the first at the top.
    std::sort(blocks.begin(), blocks.end(), [](const t_Block& a, const t_Block& b) { return a.Start > b.Start; });
    int64_t expectedend = videomemorytop;
    for (const t_Block& b : blocks) {
        if (b.End > expectedend) return b.Name + " overlaps the block above it";
        if (b.End < expectedend) return "a gap lies above " + b.Name;
        expectedend = b.Start - 1;
    }
    if (expectedend != framework.highmemory) return "highmemory is not right below the lowest block";
    return "";
}
