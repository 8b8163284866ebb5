#include "accounts/pump.h"

namespace {

void PumpNothing() {}

PumpHook g_pump = &PumpNothing;

}  // namespace

void SetPumpHook(PumpHook hook) { g_pump = hook ? hook : &PumpNothing; }

void CallPump() { g_pump(); }
