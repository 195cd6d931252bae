// The application menu bar, the same menus in every host window.
#pragma once

class QWidget;

void attachmenubar(QWidget* window);  // gives the window its menu bar at the top
int menubarheight();                  // pixels the menu bar takes at the top of a window
void showmenubar(QWidget* window, bool shown);  // a title-less window has none
