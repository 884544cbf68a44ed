#pragma once

class ChildWindows;

// Registers the view of every window kind with the main window's child windows: the
// component lists, the derivation, structure and variant views, and the two reference views.
void RegisterViews(ChildWindows &windows);
