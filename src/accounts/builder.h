#pragma once
// "生成账号": fills the list with accounts of the format that the window sets.
//
// The list is emptied first, then the format is checked; the number of
// accounts is read once, but each count, the mail option and the domain are
// read afresh for every account, so what the user changes during a run
// applies from the next account on. The window stays live through the
// generators' pump: a second click starts a nested run, an export saves the
// lines made so far, and closing the window ends the run at its next use of a
// control, quietly.

void GenerateAccounts();
