// Stand-ins until the text screen lands; each goes as its real operation arrives.
#include "text/text_areas.h"
#include "text/text_colors.h"
#include "text/text_output.h"

void t_FullArea(uint8_t) {}
void t_Normal(uint8_t) {}
void t_Print(uint8_t, const std::string&) {}
void t_Print(uint8_t, const std::vector<uint8_t>&) {}
void t_Htab(uint8_t, int64_t) {}
void t_DisplayMode(uint8_t, int64_t) {}
void t_CursorEnd(uint8_t) {}
