#include "graphics/graphic_record.h"

bool isgraphicformat(int64_t format) { return graphicbaseformat(format) >= 0; }

int64_t graphicbaseformat(int64_t format) {
    if (format >= g_FormatLZW) format -= g_FormatLZW;
    switch (format) {
        case 0: case 1: case 2: case 3: case 4: case 5: return format;
        case 10: case 11: return format - 10;
        case 14: case 15: return format - 10;
        case 20: case 21: case 22: case 23: case 24: case 25: return format - 20;
        case 30: case 31: case 34: case 35: return format - 30;
        default: return -1;
    }
}

int64_t graphicunitbytes(int64_t baseformat) {
    switch (baseformat) {
        case g_FormatBool: case g_FormatNibble: case g_FormatGrey: return 1;
        case g_FormatRGBColor: return 3;
        case g_FormatAGrey: return 2;
        case g_FormatARGBColor: return 4;
        default: return 0;
    }
}
