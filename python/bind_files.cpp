// Files: byte arrays, ".gr" and PNG files, the save-graphic command and the file dialogs.
#include "python/binding.h"

void bindfiles(py::module_& m) {
    m.attr("largestbinaryfile") = largestbinaryfile;
    def<&getbinaryfromfile, waits>(m, "getbinaryfromfile", py::arg("path"), py::arg("largest") = largestbinaryfile);
    def<&setbinarytofile, waits>(m, "setbinarytofile", py::arg("path"), py::arg("data"));
    def<&getbinaryint32, quick>(m, "getbinaryint32", py::arg("data"), py::arg("offset"));
    def<&writegraphicfile, waits>(m, "writegraphicfile", py::arg("path"), py::arg("graphic"));
    def<&readgraphicfile, waits>(m, "readgraphicfile", py::arg("path"));
    def<&savegraphic, desktop>(m, "savegraphic");
    def<&g_GraphicToPNG, waits>(m, "g_GraphicToPNG", py::arg("graphic"));
    def<&g_PNGToGraphic, waits>(m, "g_PNGToGraphic", py::arg("png"));
    def<&g_WritePNGFile, waits>(m, "g_WritePNGFile", py::arg("path"), py::arg("graphic"));
    def<&g_ReadPNGFile, waits>(m, "g_ReadPNGFile", py::arg("path"));
    def<&g_SavePNG, waits>(m, "g_SavePNG", py::arg("window"), py::arg("path"));
    def<&g_LoadPNG, waits>(m, "g_LoadPNG", py::arg("window"), py::arg("path"), py::arg("x"), py::arg("y"));
    def<&filesavepanel, desktop>(m, "filesavepanel", py::arg("name"), py::arg("title"), py::arg("message"),
                                 py::arg("fileTypes"));
    def<&fileopenpanel, desktop>(m, "fileopenpanel", py::arg("title"), py::arg("message"), py::arg("fileTypes"),
                                 py::arg("canChooseFiles"), py::arg("canChooseDirectories"));
    def<&pathbasename, quick>(m, "pathbasename", py::arg("path"));
}
