#pragma once

#include <QRect>

class QWidget;

// Where windows stand, between the screen (pixels) and murvel.ini (twips at the screen's
// logical dpi).

// A first run lays out the preset windows instead of restoring the last run's: murvel.ini
// holds [Start] first=1, or it holds no [Start] first at all: missing, or written only by the
// batch tools (such a file would otherwise restore a 0 x 0 window with font size 0 and never
// save). Its other sections are kept when the settings are saved.
bool IsFirstRun();

// Window states as murvel.ini keeps them.
namespace WindowStates
{
constexpr int Normal = 0;
constexpr int Minimised = 1;
constexpr int Maximised = 2;
} // namespace WindowStates

int WindowStateOf(const QWidget *window);
void SetWindowState(QWidget *window, int state);

// Maximises a shown window and waits (two seconds at most) until it covers the screen's free
// area: a window manager grants the size later than asked, and what is laid out in the
// window next must be laid out for that size.
void ShowMaximisedAndWait(QWidget *window);

// A window's position and size in twips: left, top, width, height. Both this and
// SetTwipsGeometry work on the client area without the window manager's frame: a top-level
// window is placed before its frame exists, so reading the frame back would move it by a
// title bar each session.
QRect TwipsGeometryOf(const QWidget *window);
// A width or height of 0 or less keeps the window's size: settings without a size never
// make a window vanish.
void SetTwipsGeometry(QWidget *window, const QRect &twips);

// A child window's load: while start-up restores the last run (not a first run,
// gSessionRestored 0), the window takes its section's saved state, or its saved geometry
// when that state is normal.
void ApplySavedPlacement(QWidget *frame, int kind);

// Records in the kind's section that the window is open, with its state and geometry.
void RecordPlacement(const QWidget *frame, int kind);
