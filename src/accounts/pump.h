#pragma once
// How the generators keep a window live: after every character they call the
// pump that the program has set. Without a window the pump does nothing.

using PumpHook = void (*)();

void SetPumpHook(PumpHook hook);  // null sets the pump that does nothing
void CallPump();
