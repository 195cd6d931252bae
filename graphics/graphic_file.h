// Graphic files (".gr"): a 16-byte big-endian header followed by a t_Graphic's Data.
//   0 HeaderSize (16)  1-4 "mxgr"  5 Format  6-9 Size  10-11 Width  12-13 Height
//   14 Reserved1 << 4 | Reserved2  15 Reserved3  16... Data
#pragma once

#include <stangenspiel/stangenspiel.h>

#include <cstdint>
#include <string>
#include <vector>

#include "graphics/graphic_record.h"

// The file's bytes and back; graphicfrombytes checks as readgraphicfile does, under operation.
std::vector<uint8_t> graphictobytes(const t_Graphic& graphic);
t_Graphic graphicfrombytes(const std::vector<uint8_t>& bytes, const char* operation);

