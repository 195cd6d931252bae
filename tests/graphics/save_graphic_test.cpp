// Saving the front window's picture through the file dialog.
#include "capture_fixture.h"
#include "graphics/byte_files.h"
#include "graphics/capture.h"
#include "graphics/graphic_file.h"
#include "graphics/save_graphic.h"
#include "host/dialogs.h"
#include "host/host.h"

namespace {

class SaveGraphic : public CaptureTest {
protected:
    void TearDown() override { host::setfiledialoganswerer(nullptr); }
    TempDir dir;
    std::vector<host::t_FileDialog> shown;
    // Answers the dialog with path ("" cancels) after running change while it is open.
    void answer(const std::string& path, std::function<void()> change = [] {}) {
        host::setfiledialoganswerer([this, path, change](const host::t_FileDialog& dialog) {
            shown.push_back(dialog);
            change();
            return path;
        });
    }
};

}  // namespace

TEST_F(SaveGraphic, ConfirmedSaveHoldsThePictureTakenBeforeTheDialog) {
    makewindow(0, 24, 64, 32);
    std::mt19937 rng(3);
    paintrandom(0, rng);
    t_WindowTitle(0, "picture.png");
    ASSERT_TRUE(infront(0));
    const t_Graphic before = g_GetScreen(0);
    answer(dir.file("saved.gr"), [] { setpixelbytes(0, Bytes(64 * 32 * 3, 0x77)); });
    EXPECT_EQ(logof(savegraphic).find("rror"), std::string::npos);
    ASSERT_EQ(shown.size(), 1u);
    const host::t_FileDialog& dialog = shown[0];
    EXPECT_TRUE(dialog.Save && dialog.AllowOtherTypes);
    EXPECT_EQ(std::vector<std::string>({dialog.Name, dialog.Prompt, dialog.NameLabel, dialog.Title, dialog.Message}),
              std::vector<std::string>({"picture.gr", "Sichern", "Sichern unter:", "Grafik sichern unter",
                                        "Grafik sichern unter"}));
    EXPECT_EQ(dialog.FileTypes, std::vector<std::string>{"gr"});
    const t_Graphic saved = readgraphicfile(dir.file("saved.gr"));
    EXPECT_EQ(saved.Format, 123);
    EXPECT_EQ(logof([&] { EXPECT_EQ(g_Decompress(saved), before); }), "");
}

TEST_F(SaveGraphic, CancelWritesNothingAndAWindowWithoutPixelsGivesTheHeader) {
    makewindow(0, 8, 32, 32);
    ASSERT_TRUE(infront(0));
    answer("");
    EXPECT_EQ(logof(savegraphic), "");  // a grey picture codes silently, and cancelling says nothing
    EXPECT_EQ(shown.at(0).Name, "Stangenspiel-Grafik.gr");
    EXPECT_EQ(dir.count(), 0);

    ASSERT_TRUE(infront(printerwindow));
    answer(dir.file("header.gr"));
    EXPECT_EQ(logof(savegraphic), "g_GetScreen: Window is not a graphic window.\n");
    EXPECT_EQ(getbinaryfromfile(dir.file("header.gr")), graphictobytes(coded(emptygraphic())));
}

TEST_F(SaveGraphic, ChosenPathsArePrecomposedAndTheGuiThreadMaySaveToo) {
    makewindow(0, 8, 32, 32);
    ASSERT_TRUE(infront(0));
    answer(dir.file("a\xCC\x88.gr"));  // "a" + combining diaeresis
    host::runsync(savegraphic);          // as a menu command on the GUI thread would
    EXPECT_TRUE(std::filesystem::exists(dir.file("\xC3\xA4.gr")));  // "ä"
    EXPECT_FALSE(std::filesystem::exists(dir.file("a\xCC\x88.gr")));
}
