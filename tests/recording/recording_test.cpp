// Recording windows through the public calls, the view's tap and the menu: what is refused, what
// the file holds, and how a full disk, a vanished folder or a window created anew end it.
#include <gmock/gmock.h>

#include <fstream>

#include "graphics/window_image.h"
#include "host/dialogs.h"
#include "host/framework_calls.h"
#include "host/menus.h"
#include "recording/recording.h"
#include "tests/graphics/capture_fixture.h"
#include "tests/recording/gif_reading.h"

using testing::MatchesRegex;

namespace {

// What the window's view draws next: the picture, handed to the recording's tap.
std::vector<uint32_t> viewdraws(uint8_t window) {
    std::vector<uint32_t> shown;
    hostcalls::viewimage(window, [&](const uint32_t* pixels, int width, int height) {
        shown.assign(pixels, pixels + static_cast<ptrdiff_t>(width) * height);
    });
    return shown;
}

std::vector<uint32_t> pictureof(uint8_t window) {
    const std::optional<t_Image> image = t_WindowImageCopy(window);
    return image ? std::vector<uint32_t>(image->Pixels.begin(), image->Pixels.end()) : std::vector<uint32_t>{};
}

class Recording : public CaptureTest {
protected:
    void shownwindow(uint8_t window, int64_t depth, int64_t width = 40, int64_t height = 32) {
        created(window, depth, width, height);
        t_WindowVisible(window, true);
    }
    // A new picture; frames a view draws 30 ms apart stay frames.
    void paint(uint8_t window, uint32_t seed) {
        std::mt19937 rng(seed);
        paintrandom(window, rng);
        g_PictureChanged(window);
        sleepms(30);
    }
    void TearDown() override {
        host::setfiledialoganswerer(nullptr);
        logof(stopallrecordings);
    }
};

TEST_F(Recording, RefusalsSayWhyAndLeaveNothing) {
    TempDir dir;
    shownwindow(0, 24);
    const std::string good = dir.file("a.gif");
    const struct {
        std::function<int64_t()> Call;
        std::string Line;
        int64_t Result;
    } rows[] = {
        {[&] { return g_RecordStart(9, good); }, "g_RecordStart: Window is not a graphic window.", EINVAL},
        {[&] { return g_RecordStart(0, dir.path.string()); }, "g_RecordStart: Error #Is a directory", EISDIR},
        {[&] { return g_RecordStart(0, "/dev/null"); }, "g_RecordStart: Error #Illegal seek", ESPIPE},
        {[&] { return g_RecordStart(0, dir.file("gone/a.gif")); }, "g_RecordStart: Error #No such file or directory",
         ENOENT},
        {[&] { return g_RecordStop(0); }, "g_RecordStop: Window #0 is not recording.", EINVAL},
    };
    for (const auto& row : rows) {
        int64_t result = 0;
        EXPECT_EQ(logof([&] { result = row.Call(); }), row.Line + "\n");
        EXPECT_EQ(result, row.Result) << row.Line;
        EXPECT_FALSE(isrecording(0));
    }
    EXPECT_EQ(dir.count(), 0);
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));

    // One recording per window: a second start is refused and the first goes on.
    logof([&] { EXPECT_EQ(g_RecordStart(0, good), 0); });
    EXPECT_EQ(logof([&] { EXPECT_EQ(g_RecordStart(0, dir.file("b.gif")), EBUSY); }),
              "g_RecordStart: Window #0 is already recording.\n");
    EXPECT_TRUE(isrecording(0));
    logof([] { EXPECT_EQ(g_RecordStop(0), 0); });
    EXPECT_EQ(dir.count(), 1);
}

// The file begins with the picture at the start and ends with the picture at the stop even when
// no view has drawn that yet. A window created anew no longer fits its file: the recording ends
// with what it had, and the window can be recorded again.
TEST_F(Recording, RecordsFromStartToStopOrUntilTheWindowIsCreatedAnew) {
    TempDir dir;
    shownwindow(0, 4, 40, 32);
    const std::string path = dir.file("Bild.gif");
    const std::vector<uint32_t> first = pictureof(0);
    EXPECT_EQ(logof([&] { EXPECT_EQ(g_RecordStart(0, path), 0); }),
              "g_RecordStart: Window #0 records into " + path + ".\n");
    sleepms(30);  // a picture replaced sooner than shortestframe would be no frame of its own
    paint(0, 1);
    viewdraws(0);
    sleepms(30);
    paint(0, 2);
    const std::vector<uint32_t> last = pictureof(0);
    logof([] { EXPECT_EQ(g_RecordStop(0), 0); });
    const t_ReadGif gif = readgif(path);
    ASSERT_GE(gif.Frames.size(), 3u);
    EXPECT_EQ(std::tie(gif.Width, gif.Height), std::make_tuple(40, 32));
    EXPECT_EQ(gif.Frames.front().Pixels, first);
    EXPECT_EQ(gif.Frames.back().Pixels, last);

    logof([&] { ASSERT_EQ(g_RecordStart(0, dir.file("a.gif")), 0); });
    // The host's own paint of the resized window may be the one that finds it out.
    const std::string log = logof([] {
        t_InitGraphicWindow(0, 8, true, 48, 40, 16, 16, t_Font{}, true);
        viewdraws(0);
        EXPECT_FALSE(isrecording(0));
        EXPECT_EQ(g_RecordStop(0), 0);
    });
    EXPECT_THAT(log, MatchesRegex(".*\nrecordframe: Window #0 was created anew, its recording ends\\.\n.*"));
    EXPECT_EQ(readgif(dir.file("a.gif")).Width, 40);
    logof([&] { EXPECT_EQ(g_RecordStart(0, dir.file("b.gif")), 0); });
    logof([] { EXPECT_EQ(g_RecordStop(0), 0); });
    EXPECT_EQ(readgif(dir.file("b.gif")).Width, 48);
}

// A write that fails half-way (as on a full disk) or a folder removed under the recording ends
// it at once: one line, no file, no temporary; g_RecordStop then answers the error quietly.
TEST_F(Recording, AFullDiskOrAVanishedFolderEndsItWithoutAFile) {
    const struct {
        const char* Folder;  // beside the file, removed while recording when not empty
        uint64_t Limit;      // largest file the process may write
        int Error;
    } rows[] = {{"", 1200, EFBIG}, {"sub", 1 << 30, ENOENT}};
    for (const auto& row : rows) {
        TempDir dir;
        const std::string folder = dir.file(row.Folder);
        std::filesystem::create_directories(folder);
        shownwindow(0, 32, 128, 96);
        paint(0, 3);
        std::string log;
        withfilesizelimit(row.Limit, [&] {
            log = logof([&] {
                ASSERT_EQ(g_RecordStart(0, folder + "/a.gif"), 0);
                if (row.Folder[0] != '\0') std::filesystem::remove_all(folder);
                sleepms(30);  // the first picture is shown long enough to be a frame
                paint(0, 4);
                viewdraws(0);  // the first picture is written now, its length known
                EXPECT_TRUE(eventually([] { return !isrecording(0); }));
            });
        });
        EXPECT_THAT(log, testing::EndsWith("recordframe: Window #0: Error #" + std::string(std::strerror(row.Error)) + "\n"));
        EXPECT_EQ(hostcalls::windowtitlemark(0), "");
        EXPECT_EQ(logof([&] { EXPECT_EQ(g_RecordStop(0), row.Error); }), "");
        EXPECT_EQ(dir.count(), 0);
    }
}

// "Aufnahme starten" proposes the first free "Aufnahme n.gif" in the dialog's folder: a gap is
// filled, dangling links and recordings under way are names taken. Cancelled, nothing records.
TEST_F(Recording, TheMenuItemProposesAFreeNumberedName) {
    TempDir dir;
    const std::string home = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";
    ::setenv("HOME", dir.path.c_str(), 1);
    std::vector<std::string> proposed;
    host::setfiledialoganswerer([&](const host::t_FileDialog& dialog) {
        proposed.push_back(dialog.Name);
        return std::string();
    });
    shownwindow(0, 24);
    shownwindow(1, 24);
    ASSERT_TRUE(infront(1));
    std::ofstream(dir.file("Aufnahme 2.gif")) << "alt";
    logof([] { ASSERT_TRUE(host::choosemenuitem(115)); });
    ASSERT_EQ(::symlink("nirgends", dir.file("Aufnahme 1.gif").c_str()), 0);
    logof([&] { ASSERT_EQ(g_RecordStart(0, dir.file("Aufnahme 3.gif")), 0); });
    logof([] { ASSERT_TRUE(host::choosemenuitem(115)); });
    EXPECT_EQ(proposed, (std::vector<std::string>{"Aufnahme 1.gif", "Aufnahme 4.gif"}));
    EXPECT_FALSE(isrecording(1));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("Aufnahme 1.gif")));  // never replaced
    ::setenv("HOME", home.c_str(), 1);
    ASSERT_TRUE(infront(printerwindow));  // not a graphic window: only the alert sounds
    logof([] { ASSERT_TRUE(host::choosemenuitem(115)); });
    EXPECT_EQ(proposed.size(), 2u);
}

}  // namespace
