// The decoding stages as steps that report under their caller's name (internal to graphics/).
#pragma once

#include "graphics/graphic_record.h"

// Each answers false after printing "operation: <why>"; a record its stage does not handle
// is copied to result unchanged. The record must have passed graphicisconsistent.
bool decompresslzw(const t_Graphic& graphic, t_Graphic& result, const char* operation);
bool decompressrle(const t_Graphic& graphic, t_Graphic& result, const char* operation);
bool unpack(const t_Graphic& graphic, t_Graphic& result, const char* operation);
// All three stages and a last check that the pixels fill the picture exactly.
bool decompressgraphic(const t_Graphic& graphic, t_Graphic& result, const char* operation);
