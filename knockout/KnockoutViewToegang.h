#pragma once

// Makes screen readers see a bracket view (TKnockoutView) as a pane with one
// child per match, round by round, then one per choice button: a push
// button when a click on it does something, else static text. Called by
// every view; installs the interface factory once.
void InstalleerKnockoutViewToegang();
