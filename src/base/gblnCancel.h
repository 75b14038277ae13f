#pragma once
// The process-wide stop request: the window sets it when the user cancels a
// check (and clears it when a check starts); the enumerators poll it.

extern bool gblnCancel;
