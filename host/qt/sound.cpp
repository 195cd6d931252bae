// First cut: the desktop beep. Playing "sysbeep.aif" replaces it.
#include <QApplication>

#include "host/host.h"

namespace host {

void playalert() {
    runasync([] { QApplication::beep(); });
}

}  // namespace host
