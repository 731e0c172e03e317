#pragma once

#include "model/Deelnemerslijst.h"

// The participant list export: first names in column A, last names in
// column B of a new workbook from the default template, one participant per
// row from row 1, in the order given. Nothing happens for an empty list; a
// failure is reported through messages().
namespace DeelnemersExport {

void Exporteer(const Deelnemerslijst::TNamen& namen);

// The message shown after a failure with the layer's own text.
QString FoutTekst(const QString& foutmelding);

} // namespace DeelnemersExport
