#pragma once

namespace quillory {

// The program's start-up routine: starts the toolkit, then imaging (a missing
// engine ends the process with a fatal message before any window opens), then
// shows the main window without owner and runs the event loop until the last
// window is gone. Imaging is stopped when the main window is destroyed.
// Returns 0.
int StartProgram();

} // namespace quillory
