#pragma once

#include "knockout/KnockoutForm.h"
#include "knockout/KnockoutView.h"

#include <QScrollArea>

// The bracket views of the knockout window, as its two tabs hold them;
// nullptr while the window shows no bracket.
inline TKnockoutView* WinnaarsView(const TKnockoutForm& venster) {
    return qobject_cast<TKnockoutView*>(venster.WinnaarsFrame->widget());
}

inline TKnockoutView* VerliezersView(const TKnockoutForm& venster) {
    return qobject_cast<TKnockoutView*>(venster.VerliezersFrame->widget());
}
