// Recording a window's animation as an animated GIF. The view hands every picture it makes to
// recordframe; a writer thread per recording crops, colours and encodes them into a file beside
// the target, renamed over it when the recording ends.
#pragma once

#include <stangenspiel/stangenspiel.h>

#include <cstdint>
#include <string>

#include "graphics/window_image.h"

// The view's tap: called with the framework lock held, right after t_WindowImage made `image`
// for the window. While nothing records it costs one atomic load.
void recordframe(int window, const t_Image& image);
bool isrecording(int window);  // the window's pictures go into a recording now
void stopallrecordings();      // completes every recording's file, as the application ends

// The menu command "Aufnahme starten" / "Aufnahme beenden" for the front window; GUI thread.
void recordingmenucommand();
// "Aufnahme 1.gif", "Aufnahme 2.gif", ...: the first name that names no file in the folder and no
// recording under way.
std::string numberedrecordingname(const std::string& folder);
bool isrecordingtarget(const std::string& path);  // a recording under way will be renamed to it

// Scripted runs: the program's main window is recorded from its first picture on.
void recordmainwindow(const std::string& path);
int64_t finishmainrecording();  // ends it: 0, or an error number after its line
