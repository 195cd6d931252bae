// Text: output at the cursor, cursor control, areas, header lines, fonts and read-back.
#include "python/binding.h"

void bindtext(py::module_& m) {
    // The bytes overload first: a str never passes for bytes, while bytes would pass for a str.
    def<py::overload_cast<uint8_t, const std::vector<uint8_t>&>(&t_Print), waits>(m, "t_Print", py::arg("window"),
                                                                                  py::arg("bytes"));
    def<py::overload_cast<uint8_t, const std::string&>(&t_Print), waits>(m, "t_Print", py::arg("window"),
                                                                         py::arg("text"));
    def<&t_PrintChar, waits>(m, "t_PrintChar", py::arg("window"), py::arg("character"));
    def<&t_PrintControl, waits>(m, "t_PrintControl", py::arg("window"), py::arg("code"));
    def<&t_PrintSymbol, waits>(m, "t_PrintSymbol", py::arg("window"), py::arg("character"), py::arg("colour"),
                               py::arg("x"), py::arg("y"));
    def<&t_DisplayMode, waits>(m, "t_DisplayMode", py::arg("window"), py::arg("mode"));
    def<&t_PrintTab, waits>(m, "t_PrintTab", py::arg("window"), py::arg("column"), py::arg("fill"));
    def<&t_Htab, waits>(m, "t_Htab", py::arg("window"), py::arg("column"));
    def<&t_Vtab, waits>(m, "t_Vtab", py::arg("window"), py::arg("line"));
    def<&t_CursorHome, waits>(m, "t_CursorHome", py::arg("window"));
    def<&t_CursorEnd, waits>(m, "t_CursorEnd", py::arg("window"));
    def<&t_Cr, waits>(m, "t_Cr", py::arg("window"));
    def<&t_CursorUp, waits>(m, "t_CursorUp", py::arg("window"));
    def<&t_CursorDown, waits>(m, "t_CursorDown", py::arg("window"));
    def<&t_CursorLeft, waits>(m, "t_CursorLeft", py::arg("window"));
    def<&t_CursorRight, waits>(m, "t_CursorRight", py::arg("window"));
    def<&t_ScrollUp, waits>(m, "t_ScrollUp", py::arg("window"));
    def<&t_ScrollDown, waits>(m, "t_ScrollDown", py::arg("window"));
    def<&t_ClearEndOfLine, waits>(m, "t_ClearEndOfLine", py::arg("window"));
    def<&t_ClearEndOfWindow, waits>(m, "t_ClearEndOfWindow", py::arg("window"));
    def<&t_Area, waits>(m, "t_Area", py::arg("window"), py::arg("x1"), py::arg("y1"), py::arg("x2"), py::arg("y2"));
    def<&t_FullArea, waits>(m, "t_FullArea", py::arg("window"));
    def<&t_Header, waits>(m, "t_Header", py::arg("window"), py::arg("title"), py::arg("second"));
    def<&t_TextLine, waits>(m, "t_TextLine", py::arg("window"));
    def<&t_TextHline, waits>(m, "t_TextHline", py::arg("window"), py::arg("x1"), py::arg("x2"), py::arg("y"),
                             py::arg("character"));
    def<&t_RedirectOutput, waits>(m, "t_RedirectOutput", py::arg("window"), py::arg("mode"));
    def<&t_GetScreen, waits>(m, "t_GetScreen", py::arg("window"), py::arg("lineEnd"));
    def<&t_Inverse, waits>(m, "t_Inverse", py::arg("window"));
    def<&t_Normal, waits>(m, "t_Normal", py::arg("window"));
    def<&t_Reverse, waits>(m, "t_Reverse", py::arg("window"));
    def<&t_InvertRect, waits>(m, "t_InvertRect", py::arg("window"), py::arg("x1"), py::arg("y1"), py::arg("x2"),
                              py::arg("y2"));
    def<&t_LoadFontResource, waits>(m, "t_LoadFontResource", py::arg("name"));
    def<&t_WindowFont, waits>(m, "t_WindowFont", py::arg("window"), py::arg("font"));
}
