// The menu command that starts and ends a recording of the front graphic window, and the
// numbered names it proposes.
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>

#include "core/framework_state.h"
#include "graphics/file_panels.h"
#include "host/dialogs.h"
#include "host/host.h"
#include "recording/recording.h"
#include "sound/alert.h"

namespace {

// More numbers than anyone records into one folder; the search must end somewhere all the same.
constexpr int lastnumber = 99999;

bool nameisfree(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) != 0 && errno == ENOENT && !isrecordingtarget(path);
}

bool initialized(uint8_t window) {
    FrameworkLock lock;
    return framework.frameworkready && framework.windows[window].Initialized;
}

}  // namespace

std::string numberedrecordingname(const std::string& folder) {
    for (int number = 1; number <= lastnumber; ++number) {
        const std::string name = "Aufnahme " + std::to_string(number) + ".gif";
        if (nameisfree((std::filesystem::path(folder) / name).string())) return name;
    }
    return "Aufnahme.gif";
}

void recordingmenucommand() {
    const int front = host::frontwindow();
    if (front < 0 || front >= windowcount || !initialized(static_cast<uint8_t>(front))) {
        playalert();
        return;
    }
    const auto window = static_cast<uint8_t>(front);
    if (isrecording(window)) {
        if (g_RecordStop(window) != 0) playalert();
        return;
    }
    const std::string name = numberedrecordingname(host::filedialogfolder());
    const std::string path = filesavepanel(name, "Aufnahme sichern unter", "Aufnahme sichern unter", "gif");
    if (!path.empty() && g_RecordStart(window, path) != 0) playalert();
}
