#include "graphics/file_panels.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <sstream>
#include <thread>

#include "core/framework_state.h"
#include "host/dialogs.h"
#include "host/host.h"

namespace {

// The answer of a dialog handed to the GUI thread. Finished is set when the job is gone, run or
// not (a job queued as the application ends is dropped), so the caller never waits forever.
struct t_PanelCall {
    std::string Result;
    std::atomic<bool> Finished{false};
};

struct t_PanelTicket {
    explicit t_PanelTicket(std::shared_ptr<t_PanelCall> call) : Call(std::move(call)) {}
    t_PanelTicket(const t_PanelTicket&) = delete;
    t_PanelTicket& operator=(const t_PanelTicket&) = delete;
    std::shared_ptr<t_PanelCall> Call;
    ~t_PanelTicket() { Call->Finished.store(true, std::memory_order_release); }
};

std::vector<std::string> splittypes(const std::string& fileTypes) {
    std::vector<std::string> types;
    std::stringstream stream(fileTypes);
    for (std::string type; std::getline(stream, type, ',');)
        if (!type.empty()) types.push_back(type);
    return types;
}

// Once the application began to quit, a dialog answers as if cancelled: opened after the event
// loop has ended (a job queued meanwhile runs then), it would keep the process alive.
std::string runpanel(const host::t_FileDialog& dialog) {
    if (framework.quitting) return "";
    if (host::isguithread()) return host::runfiledialog(dialog);
    FrameworkUnlock unlocked;  // the GUI thread may need the lock to paint while the dialog is open
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    auto call = std::make_shared<t_PanelCall>();
    {
        auto ticket = std::make_shared<t_PanelTicket>(call);
        host::runasync([ticket, dialog] {
            if (!framework.quitting) ticket->Call->Result = host::runfiledialog(dialog);
        });
    }
    while (!call->Finished.load(std::memory_order_acquire)) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return call->Result;
}

}  // namespace

std::string filesavepanel(const std::string& name, const std::string& title, const std::string& message,
                          const std::string& fileTypes) {
    host::t_FileDialog dialog;
    dialog.Save = true;
    dialog.Prompt = "Sichern";
    dialog.NameLabel = "Sichern unter:";
    dialog.Title = title;
    dialog.Message = message;
    dialog.Name = name;
    dialog.FileTypes = splittypes(fileTypes);
    dialog.AllowOtherTypes = true;
    return runpanel(dialog);
}

std::string fileopenpanel(const std::string& title, const std::string& message, const std::string& fileTypes,
                          bool canChooseFiles, bool canChooseDirectories) {
    host::t_FileDialog dialog;
    dialog.Save = false;
    dialog.Prompt = canChooseDirectories ? "Wählen" : "Öffnen";
    dialog.Title = title;
    dialog.Message = message;
    dialog.FileTypes = splittypes(fileTypes);
    dialog.CanChooseFiles = canChooseFiles;
    dialog.CanChooseDirectories = canChooseDirectories;
    return runpanel(dialog);
}
