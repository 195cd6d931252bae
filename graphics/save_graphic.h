// The save-graphic command: the front window's picture, fully coded, into a ".gr" file.
#pragma once

// Captures the front window before the dialog opens, codes it (pack, run-length, LZW),
// proposes "<title without extension>.gr" and writes the file when the user confirms. A front
// window that cannot be captured still gives a file: the 16-byte header of the empty record.
// Installed by the puzzle as framework.savegraphichandler.
void savegraphic();
