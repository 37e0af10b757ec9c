#pragma once
// Processing of pending window messages while long work runs on the one thread. Every
// caller uses these functions.

// While long work holds the thread, the queue is looked at (and so the window repainted)
// at most this often. 20 times a second looks smooth and answers a click at once; where a
// paint is slow (a window server in another process), it keeps the work within a few per
// cent of its speed without a window. Displays that change with every piece of work
// (a file name) use the same rate.
constexpr unsigned BusyRefreshMs = 50;

// Handles pending messages. Cheap when called often: it looks at the queue only when
// BusyRefreshMs have passed since it last did, so a copy loop may call it after every block.
void ProcessMessages();
// Handles pending messages now, whatever the time (the window must be painted at once).
void ProcessMessagesNow();
// For a message loop of its own (the program's main loop): it has just taken a message
// from the queue, which counts as a look. Work that a click starts then does not handle
// the click's own leftovers (the pressed button's repaint) before it has changed the page.
void NoteQueueLook();
