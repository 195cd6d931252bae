// A program for the window-geometry test: it reads one command a line from standard input,
// runs it on the program thread and logs the geometry the framework then reports, so that the
// script can compare it with a screenshot.
//   init W WIDTH HEIGHT BORDER TITLED   a graphic window, its drawing area outlined in green
//   size W X Y WIDTH HEIGHT             t_WindowSize
//   show W 0|1, title W 0|1, front W    t_WindowVisible, t_WindowTitleVisible, t_WindowFront
//   zoom W FACTOR, full W 0|1           t_WindowZoom, t_WindowFullScreen
//   pattern W                           every pixel of the drawing area a colour of its own
//   save W PATH                         the drawing area as a PNG file, from video memory
//   report W                            nothing but the report (its last field the zoom factor)
#include <iostream>
#include <sstream>
#include <string>

#include <stangenspiel/stangenspiel.h>

namespace {

// Neighbouring pixels (24 bits: red, green, blue) differ in every colour, so a picture shifted or
// scaled wrongly by one pixel shows.
void drawpattern(uint8_t w) {
    const std::span<uint8_t> bytes = g_GraphicMemory(w);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 37 + i / 600 * 11);
    g_PictureChanged(w);
}

void run(const std::string& command, uint8_t w, std::istringstream& in) {
    int64_t a = 0, b = 0, c = 0, d = 0;
    if (command == "init" && in >> a >> b >> c >> d) {
        t_InitGraphicWindow(w, 24, true, a, b, c, c, t_Font{}, d != 0);
        t_Color(w, 12);  // green
        const int64_t corners[] = {0, 0, a - 1, 0, a - 1, b - 1, 0, b - 1, 0, 0};
        for (int i = 0; i < 8; i += 2) g_Line(w, corners[i], corners[i + 1], corners[i + 2], corners[i + 3]);
    } else if (command == "size" && in >> a >> b >> c >> d) {
        t_WindowSize(w, a, b, c, d);
    } else if (command == "show" && in >> a) {
        t_WindowVisible(w, a != 0);
    } else if (command == "title" && in >> a) {
        t_WindowTitleVisible(w, a != 0);
    } else if (command == "front") {
        t_WindowFront(w);
    } else if (command == "zoom" && in >> a) {
        t_WindowZoom(w, a);
    } else if (command == "full" && in >> a) {
        t_WindowFullScreen(w, a != 0);
    } else if (command == "pattern") {
        drawpattern(w);
    } else if (std::string path; command == "save" && in >> path) {
        g_SavePNG(w, path);
    }
}

void geometryprogram() {
    std::string line, command;
    int window = 0;
    for (int step = 1; std::getline(std::cin, line); ++step) {
        std::istringstream in(line);
        if (!(in >> command >> window)) break;
        run(command, window, in);
        std::string report = "geometry " + std::to_string(step) + ":";
        for (int64_t selector : {13, 20, 8, 9, 10, 12, 17, 18, 19, 16}) report += " " + std::to_string(t_WindowPos(window, selector));
        if (window < 8) report += " " + std::to_string(t_WindowZoomFactor(static_cast<uint8_t>(window)));
        logline(report);
    }
}

}  // namespace

int main(int argc, char** argv) {
    return runprogram(argc, argv, t_ProgramInfo{"Stangenspiel", "", "Window geometry under test."}, geometryprogram);
}
