#pragma once
// The life of the process: start-up, the one event loop, the quit request,
// the dispatch lock and shutdown.
//
// Start-up makes the program's folder the current directory, reads the form,
// loads the main window (with the dispatch lock raised, so that nothing that
// arrives meanwhile reaches a handler) and runs the event loop until the
// window is closed. Closing the window posts the quit request with status 0;
// from then on the pump dispatches nothing, and the loop ends when control
// gets back to it.

#include <vector>

struct HandlerBinding {
    const char* name;  // as the form names it
    void (*run)();
};

// The whole program; returns the exit status.
int RunProgram(int& argc, char** argv, const std::vector<HandlerBinding>& handlers);

// The steps of RunProgram, for tests that hold their own QApplication.
void LoadMainWindow(const std::vector<HandlerBinding>& handlers);
int RunEventLoop();
void ShutDown();

void RequestQuit(int status);
bool QuitRequested();

void RaiseDispatchLock();
void LowerDispatchLock();
bool DispatchLocked();
// Runs a bound handler, unless the dispatch lock is raised or the program is
// quitting.
void RunHandler(void (*handler)());
