#include "graphics/save_graphic.h"

#include <utility>

#include "graphics/capture.h"
#include "graphics/file_panels.h"
#include "graphics/graphic_coding.h"
#include "graphics/graphic_file.h"
#include "host/host.h"
#include "windows/window_placement.h"

void savegraphic() {
    const int window = host::frontwindow();
    t_Graphic graphic = g_GetScreen(static_cast<uint8_t>(window));
    graphic = g_CompressLZW(g_CompressRLE(g_Pack(std::move(graphic))));
    const std::string name = pathbasename(t_WindowTitle(static_cast<uint8_t>(window))) + ".gr";
    const std::string path = filesavepanel(name, "Grafik sichern unter", "Grafik sichern unter", "gr");
    if (!path.empty()) writegraphicfile(path, graphic);
}
