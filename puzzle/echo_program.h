// A keyboard check program that the end-to-end tests run instead of the puzzle.
#pragma once

void echoprogram();  // logs every key read and the first screen line; never returns
