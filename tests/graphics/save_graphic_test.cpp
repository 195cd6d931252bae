#include <gmock/gmock.h>

#include <chrono>
#include <thread>

#include "capture_fixture.h"
#include "graphics/byte_files.h"
#include "graphics/capture.h"
#include "graphics/graphic_coding.h"
#include "graphics/graphic_file.h"
#include "graphics/save_graphic.h"
#include "host/dialogs.h"
#include "host/host.h"
#include "windows/window_placement.h"

using testing::HasSubstr;

namespace {

bool frontwindowbecomes(int expected) {
    for (int i = 0; i < 200 && host::frontwindow() != expected; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return host::frontwindow() == expected;
}

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
    t_WindowFront(0);
    ASSERT_TRUE(frontwindowbecomes(0));
    const t_Graphic before = g_GetScreen(0);
    const std::string path = dir.file("saved.gr");
    answer(path, [] { setpixelbytes(0, Bytes(64 * 32 * 3, 0x77)); });

    const std::string log = logof(savegraphic);
    EXPECT_THAT(log, testing::MatchesRegex("binary24torle: Size 6144 bytes.\n"
                                           "binary24torle: [0-9]+ elements found: \\$[0-9A-F]{4}.\n"
                                           "g_CompressRLE: g_FormatRGBColor --> g_FormatRLERGBColor\n"));
    ASSERT_EQ(shown.size(), 1u);
    const host::t_FileDialog& dialog = shown[0];
    EXPECT_TRUE(dialog.Save);
    EXPECT_EQ(dialog.Name, "picture.gr");
    EXPECT_EQ(dialog.Prompt, "Sichern");
    EXPECT_EQ(dialog.NameLabel, "Sichern unter:");
    EXPECT_EQ(dialog.Title, "Grafik sichern unter");
    EXPECT_EQ(dialog.Message, "Grafik sichern unter");
    EXPECT_EQ(dialog.FileTypes, std::vector<std::string>{"gr"});
    EXPECT_TRUE(dialog.AllowOtherTypes);
    const t_Graphic saved = readgraphicfile(path);
    EXPECT_EQ(saved.Format, 123);
    EXPECT_EQ(logof([&] { EXPECT_EQ(g_Decompress(saved), before); }), "");
}

TEST_F(SaveGraphic, CancelWritesNothing) {
    makewindow(0, 8, 32, 32);
    t_WindowFront(0);
    ASSERT_TRUE(frontwindowbecomes(0));
    answer("");
    EXPECT_EQ(logof(savegraphic), "");  // a grey picture codes silently, and cancelling says nothing
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].Name, "Stangenspiel-Grafik.gr");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path), {}), 0);
}

TEST_F(SaveGraphic, AFrontWindowWithoutPixelsStillGivesTheHeader) {
    t_WindowFront(printerwindow);
    ASSERT_TRUE(frontwindowbecomes(printerwindow));
    answer(dir.file("header.gr"));
    EXPECT_EQ(logof(savegraphic), "g_GetScreen: Window is not a graphic window.\n");
    EXPECT_EQ(getbinaryfromfile(dir.file("header.gr")),
              (Bytes{0x10, 0x6D, 0x78, 0x67, 0x72, 130, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(SaveGraphic, ChosenPathsArePrecomposedAndTheGuiThreadMaySaveToo) {
    makewindow(0, 8, 32, 32);
    t_WindowFront(0);
    ASSERT_TRUE(frontwindowbecomes(0));
    answer(dir.file("a\xCC\x88.gr"));  // "a" + combining diaeresis
    host::runsync(savegraphic);          // as a menu command on the GUI thread would
    EXPECT_TRUE(std::filesystem::exists(dir.file("\xC3\xA4.gr")));  // "ä"
    EXPECT_FALSE(std::filesystem::exists(dir.file("a\xCC\x88.gr")));
}
