// Which framework window the user worked in last.
#pragma once

void noteactivewindow(int number);  // GUI thread
int lastactivewindow();             // 255 when no framework window has had focus
