#pragma once
// Keeps the window live from inside a long handler.
//
// Every event posted in this thread is dispatched before PumpEvents returns;
// the window system's queue and the timers are looked at every 0.2 ms, so a
// call with nothing pending costs a few tens of nanoseconds. Once the quit
// request is pending, PumpEvents returns at once and dispatches nothing, and
// the request stays for the event loop.

void PumpEvents();
