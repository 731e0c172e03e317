#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>

class QWidget;

// Places a window, frame included, in the middle of the screen its owner is
// on (or of the primary screen). Qt would centre a dialog over its owner,
// which for the small main window in the corner is nowhere near the middle.
void centreerOpScherm(QWidget* venster);

// How much larger the desktop makes the program's font than the size the
// windows were designed for (its points at 96 dots per inch): 1.5 under a
// font resolution of 144 without scaling, as KDE's and GNOME's font settings
// give.
// Never below 1: the designed size is the smallest.
double lettertypeFactor(const QWidget* venster);

// A designed length at the desktop's font size.
int naarLettertype(const QWidget* venster, int ontwerp);

// Grows a window of designed geometry with the font, as a well-made program
// does: the window and every control it or its plain panels hold, place and
// size, by lettertypeFactor(). A label that fits its text keeps fitting it.
// At the designed font size nothing changes.
void groeiMetLettertype(QWidget* venster);

// The frame the window manager puts around the program's windows: that of
// `venster` once it is shown, otherwise that of `voorbeeld`, a window shown
// already; none before any window was shown.
QMargins vensterRand(const QWidget* venster, const QWidget* voorbeeld);

// The frame of `venster`, as it is or will be with `rand`.
QRect kader(const QWidget* venster, QMargins rand);

// Puts the frame of `venster` with its top left at `plaats`, kept inside the
// available geometry of the screen there: moved back where it would run off
// an edge, and smaller where the screen is smaller than the window.
void plaatsKader(QWidget* venster, QPoint plaats, QMargins rand);

// The left edge of the control that follows `label` on its line: where the
// window's design puts it while the label's text ends before that, and a
// few pixels after the text when the desktop's font is wider.
int naTekst(const QWidget* label, int ontwerpLinks);
