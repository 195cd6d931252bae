// What the host layer learns about its windows as the desktop changes them. GUI thread only.
#pragma once

#include "host/host.h"

class QWidget;

void noteactivewindow(int number);  // the framework window that has focus now
int lastactivewindow();             // 255 when no framework window has had focus
// Measures the window manager's decoration of a shown, titled window; a change is passed on
// to the framework as its new title height.
void notedecoration(QWidget* window);
int64_t windowtitleheight(const QWidget* window);   // manager's title bar plus menu bar; 0 title-less
host::t_Frame windowframeof(const QWidget* window); // the frame in the framework's coordinates
