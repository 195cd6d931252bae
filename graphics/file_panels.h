// The framework's file dialogs: a path, or "" when the user cancels. Callable from any thread;
// the dialog itself always runs on the GUI thread while the caller waits without the lock.
#pragma once

#include <stangenspiel/stangenspiel.h>
