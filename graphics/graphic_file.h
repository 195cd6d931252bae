// Graphic files (".gr"): a 16-byte big-endian header followed by a t_Graphic's Data.
//   0 HeaderSize (16)  1-4 "mxgr"  5 Format  6-9 Size  10-11 Width  12-13 Height
//   14 Reserved1 << 4 | Reserved2  15 Reserved3  16... Data
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "graphics/graphic_record.h"

// Writes the file whole or not at all (an existing file stays as it was when writing fails);
// 0, or an error number after its message. A picture wider or higher than 65,535 pixels, or
// of more than 2^32 - 1 pixels, has no file form: "writegraphicfile: Picture too large ...".
int64_t writegraphicfile(const std::string& path, const t_Graphic& graphic);
// The record of a file written by writegraphicfile, still coded; the empty record after one
// line ("readgraphicfile: Not a graphic file." ...) for anything else.
t_Graphic readgraphicfile(const std::string& path);

// The file's bytes and back; graphicfrombytes checks as readgraphicfile does, under operation.
std::vector<uint8_t> graphictobytes(const t_Graphic& graphic);
t_Graphic graphicfrombytes(const std::vector<uint8_t>& bytes, const char* operation);

// The last path component without its last extension: "/a/b/picture.old.gr" -> "picture.old".
std::string pathbasename(const std::string& path);
