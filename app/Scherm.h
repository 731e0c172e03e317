#pragma once

class QWidget;

// Places a window, frame included, in the middle of the screen its owner is
// on (or of the primary screen). Qt would centre a dialog over its owner,
// which for the small main window in the corner is nowhere near the middle.
void centreerOpScherm(QWidget* venster);
