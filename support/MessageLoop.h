#pragma once
// Processing of pending window messages while long work runs on the one thread. Every
// caller uses these two functions.

// Handles pending messages. Cheap when called often: it looks at the queue only when
// about 10 ms have passed since it last did, so a copy loop may call it after every block.
void ProcessMessages();
// Handles pending messages now, whatever the time (the window must be painted at once).
void ProcessMessagesNow();
