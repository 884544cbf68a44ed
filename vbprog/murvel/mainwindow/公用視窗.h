#pragma once

// The main window's record of its child windows. Each procedure works on the one main
// window (MainWindow()) and does nothing while there is none.

// OnChildWindowActivated's stroke position that leaves both stroke filters where they are.
constexpr int StrokePositionUnchanged = 1000;

// Query-unload of the main window: marks every window section closed, then records each
// loaded child window (open, state, geometry in twips) in its section of gIni.
void SaveWindowPositions();

// Unload of a child window or of the about box or a layout picker: when no other child
// window stays loaded, the main window becomes the current window and the stroke filters
// are reset.
void OnChildWindowClosed();

// Activation of a child window: the stroke filters are enabled while any loaded child is a
// stroke-filterable component list, and then set to the given positions unless
// strokeIndex is StrokePositionUnchanged, without a query; otherwise they are disabled.
// The kind is not read.
void OnChildWindowActivated(int kind, int strokeIndex, int firstStrokeIndex);

// Disables both stroke filters and puts them back on "1" and "(全)".
void ResetStrokeFilters();
