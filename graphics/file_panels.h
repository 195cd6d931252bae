// The framework's file dialogs: a path, or "" when the user cancels. Callable from any thread;
// the dialog itself always runs on the GUI thread while the caller waits without the lock.
#pragma once

#include <string>

// Save dialog with the button "Sichern" and the label "Sichern unter:", proposing `name`;
// fileTypes is a comma-separated list of extensions, other extensions are allowed too.
std::string filesavepanel(const std::string& name, const std::string& title, const std::string& message,
                          const std::string& fileTypes);
// Open dialog with the button "Wählen" when directories may be chosen, else "Öffnen"; an empty
// fileTypes allows any file.
std::string fileopenpanel(const std::string& title, const std::string& message, const std::string& fileTypes,
                          bool canChooseFiles, bool canChooseDirectories);
