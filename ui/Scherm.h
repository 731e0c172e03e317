#pragma once

class QWidget;

// Places a window, frame included, in the middle of the screen its owner is
// on (or of the primary screen). Qt would centre a dialog over its owner,
// which for the small main window in the corner is nowhere near the middle.
void centreerOpScherm(QWidget* venster);

// The left edge of the control that follows `label` on its line: where the
// window's design puts it while the label's text ends before that, and a
// few pixels after the text when the desktop's font is wider.
int naTekst(const QWidget* label, int ontwerpLinks);
