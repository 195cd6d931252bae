// The coding stages of a captured picture and their inverses. Each takes a record and answers a
// new one whose Format says what Data holds; Size, Width, Height and the reserved fields are
// carried along unchanged.
#pragma once

#include <stangenspiel/stangenspiel.h>

#include "graphics/graphic_record.h"

// The public stages never fail on coding; a format a stage does not handle passes through
// unchanged. Decoding a record that is not what its fields say prints one line and gives the
// empty record.
t_Graphic g_Pack(t_Graphic&& graphic);  // g_Pack; a format it leaves alone keeps its pixels uncopied

// Checks a record before decoding: identifier, a known format, Size = Width x Height and a
// picture small enough to unpack. False after printing "operation: <why>".
bool graphicisconsistent(const t_Graphic& graphic, const char* operation);
// Bytes that the data of `format` must hold (exactly for uncoded formats, at most for coded
// ones) for a record of this size; -1 for an unknown format.
int64_t graphicdatalimit(const t_Graphic& graphic, int64_t format);
