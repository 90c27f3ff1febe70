#pragma once

// Work handed from a worker thread to the window's thread: a worker posts a task, the
// window's thread runs every posted task on its next tick.

#include <functional>

// Queues task to run on the window's thread; safe from any thread.
void PostToMainThread(std::function<void()> task);

// Runs the tasks posted so far, in order; called by the window's thread. True when any ran.
bool RunPostedTasks();
