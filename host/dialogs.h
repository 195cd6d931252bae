// The host's file dialogs, in plain types. Paths come back in precomposed form (NFC).
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace host {

struct t_FileDialog {
    bool Save = true;                    // a save dialog, else an open dialog
    std::string Prompt;                  // the accept button: "Sichern", "Wählen", "Öffnen"
    std::string NameLabel;               // the label of the name field (save dialogs)
    std::string Title;                   // the window title
    std::string Message;                 // a line shown above the file list
    std::string Name;                    // the proposed file name (save dialogs)
    std::vector<std::string> FileTypes;  // extensions without the dot; empty: any file
    bool AllowOtherTypes = true;         // a save may use another extension than FileTypes
    bool CanChooseFiles = true;          // open dialogs
    bool CanChooseDirectories = false;   // open dialogs
};

// Runs the dialog modally; GUI thread only. The chosen path, or "" when the user cancels.
std::string runfiledialog(const t_FileDialog& dialog);
std::string filedialogfolder();  // where the next dialog opens: the last one's folder, else home; GUI thread

// Tests: while an answerer is set, runfiledialog builds the dialog, hands the answerer the
// settings read back from it, and answers its path ("" cancels) as if the user had chosen it.
// An empty function shows real dialogs again.
using t_DialogAnswerer = std::function<std::string(const t_FileDialog& shown)>;
void setfiledialoganswerer(t_DialogAnswerer answerer);

}  // namespace host
