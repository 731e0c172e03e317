#pragma once

#include "print/Afdruk.h"

#include <functional>
#include <memory>

class QPushButton;
class QWidget;

// Printing from a window. The window's "Afdrukken" button and Ctrl+P open
// the print preview, in which the page size, the orientation and the printer
// are chosen; Ctrl+Shift+P saves straight to a PDF file.
class TToernooiDocument;

namespace Afdrukken {

// Makes the printout with the window's data of that moment.
using TMaker = std::function<std::unique_ptr<Afdruk::TDocument>()>;

// The window's square "Afdrukken" button with a printer glyph and its
// tooltip, placed in `ouder` (the window itself when none), and the two keys
// of the window; all three print what `maak` makes.
QPushButton* MaakKnop(QWidget* venster, TMaker maak, QWidget* ouder = nullptr);

// The print preview of the document, modal over the window. A bracket gets
// the option "Op één blad passend" in the preview's toolbar.
void ToonVoorbeeld(QWidget* venster, Afdruk::TDocument& document);

// Asks for a file name (in the folder the exports write to) and writes the
// document as PDF there; the written file, or empty.
QString BewaarAlsPdf(Afdruk::TDocument& document);

// The heading of a printout of the tournament: its file name, the subject,
// and now.
Afdruk::TKop Kop(const TToernooiDocument& document, const QString& onderwerp);

} // namespace Afdrukken
