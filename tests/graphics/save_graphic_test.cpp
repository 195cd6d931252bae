// Saving the front window's picture through the file dialog.
#include "capture_fixture.h"
#include "graphics/byte_files.h"
#include "graphics/capture.h"
#include "graphics/graphic_file.h"
#include "graphics/save_graphic.h"
#include "host/dialogs.h"
#include "host/host.h"

class SaveGraphic : public CaptureTest {
protected:
    void TearDown() override { host::setfiledialoganswerer(nullptr); }
};

// The picture is taken before the dialog opens; cancelling writes nothing; a window without pixels
// saves the empty record. The chosen path is precomposed, and the GUI thread may save too, as a
// menu command does.
TEST_F(SaveGraphic, AsksForAFileAndSavesThePictureTakenBeforeTheDialog) {
    TempDir dir;
    std::vector<host::t_FileDialog> shown;
    std::string answer;  // "" cancels
    host::setfiledialoganswerer([&](const host::t_FileDialog& dialog) {
        shown.push_back(dialog);
        setpixelbytes(0, Bytes(100, 0x77));  // the window changes while the dialog is open
        return answer;
    });
    created(0, 24, 64, 32);
    std::mt19937 rng(3);
    paintrandom(0, rng);
    t_WindowTitle(0, "picture.png");
    ASSERT_TRUE(infront(0));
    const t_Graphic before = g_GetScreen(0);
    answer = dir.file("saved.gr");
    EXPECT_EQ(logof(savegraphic).find("rror"), std::string::npos);
    const host::t_FileDialog& dialog = shown.at(0);
    EXPECT_TRUE(dialog.Save && dialog.AllowOtherTypes && dialog.FileTypes == std::vector<std::string>{"gr"});
    EXPECT_EQ(dialog.Name, "picture.gr");
    EXPECT_EQ(logof([&] { EXPECT_EQ(g_Decompress(readgraphicfile(dir.file("saved.gr"))), before); }), "");

    created(0, 8, 32, 32);
    ASSERT_TRUE(infront(0));
    answer = "";
    EXPECT_EQ(logof(savegraphic), "");  // a grey picture codes silently, and cancelling says nothing
    EXPECT_EQ(shown.at(1).Name, "Stangenspiel-Grafik.gr");
    ASSERT_TRUE(infront(printerwindow));
    answer = dir.file("a\xCC\x88.gr");  // "a" + combining diaeresis
    EXPECT_EQ(logof([] { host::runsync(savegraphic); }), "g_GetScreen: Window is not a graphic window.\n");
    EXPECT_EQ(getbinaryfromfile(dir.file("\xC3\xA4.gr")),  // "ä", holding the empty record
              (Bytes{16, 0x6D, 0x78, 0x67, 0x72, 130, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(dir.count(), 2);
}
