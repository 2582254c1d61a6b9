// Drives the game's window from outside, as a player and a window manager would.
#pragma once

#include "sfml_compat_tools.h"

#include <string>

// X window ids are plain numbers; the X headers stay out of the tests, whose names they clash with.
unsigned long shownWindow(const std::string& caption);     // the viewable one with that caption now, or 0
unsigned long findWindow(const std::string& caption, double timeoutSeconds);   // waits for shownWindow
std::string windowCaption(unsigned long id);
std::string windowClass(unsigned long id);   // WM_CLASS's class, by which docks match a desktop entry
sf::Vector2u windowSize(unsigned long id);
sf::Image screenshot(unsigned long id);
sf::Image windowIcon(unsigned long id);      // the first picture in _NET_WM_ICON; empty if it has none
sf::Color windowPixel(unsigned long id, unsigned x, unsigned y);
bool showsAFrame(unsigned long id);          // the game's window is black until its first frame
void focusWindow(unsigned long id);
void placeWindow(unsigned long id, int x, int y, unsigned width, unsigned height);  // moves and resizes at once
void closeWindow(unsigned long id);          // WM_DELETE_WINDOW, as a window manager asks
void keyDown(const std::string& keysym);     // the live keyboard state, through XTest
void keyUp(const std::string& keysym);
void tapKey(const std::string& keysym);      // down, two frames, up
