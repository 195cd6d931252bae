// The coding stages of a captured picture and their inverses. Each takes a record and answers a
// new one whose Format says what Data holds; Size, Width, Height and the reserved fields are
// carried along unchanged.
#pragma once

#include "graphics/graphic_record.h"

// --- coding: never fails; a format a stage does not handle passes through unchanged ----------
t_Graphic g_Pack(const t_Graphic& graphic);         // 0->10, 1->11; 4->14, 5->15 when all alpha agree
t_Graphic g_Pack(t_Graphic&& graphic);              // the same; a format it leaves alone keeps its pixels uncopied
t_Graphic g_CompressRLE(const t_Graphic& graphic);  // +20 for 0-5, 10, 11, 14, 15; empty 14/15 -> 0
t_Graphic g_CompressLZW(const t_Graphic& graphic);  // +100 for every code below 36 in use

// --- decoding: a record that is not what its fields say prints one line and gives the empty record
t_Graphic g_DecompressLZW(const t_Graphic& graphic);  // -100; other codes unchanged
t_Graphic g_DecompressRLE(const t_Graphic& graphic);  // -20 for 20-35; other codes unchanged
t_Graphic g_Unpack(const t_Graphic& graphic);         // 10->0, 11->1, 14->4, 15->5; others unchanged
t_Graphic g_Decompress(const t_Graphic& graphic);     // all three, back to the captured format 0-5

// Checks a record before decoding: identifier, a known format, Size = Width x Height and a
// picture small enough to unpack. False after printing "operation: <why>".
bool graphicisconsistent(const t_Graphic& graphic, const char* operation);
// Bytes that the data of `format` must hold (exactly for uncoded formats, at most for coded
// ones) for a record of this size; -1 for an unknown format.
int64_t graphicdatalimit(const t_Graphic& graphic, int64_t format);
