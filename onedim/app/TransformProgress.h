// The message pump of a transform shown in progress (Windows build only).
#pragma once

// Dispatches at most one pending paint message and one timer message of
// this thread and leaves every other message (keys, mouse, commands) in the
// queue until the transform has ended, so that nothing can free or resize
// the buffer being transformed. The document's progress callback redraws
// its views and then calls this.
void PumpTransformProgressMessages();
