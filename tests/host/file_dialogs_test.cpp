// The real dialog, driven the way a user would: found on screen, filled in, accepted or cancelled.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QLabel>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "graphics/file_panels.h"
#include "host/host.h"

namespace {

struct t_Seen {
    QString Accept, NameLabel, Title, Message;
    QStringList Filters;
    QFileDialog::FileMode Mode = QFileDialog::AnyFile;
};

// Waits on a thread of its own for the modal file dialog, notes what it shows, then chooses
// the path (or cancels when it is empty).
std::thread driver(const QString& path, t_Seen& seen, std::atomic<bool>& found) {
    return std::thread([path, &seen, &found] {
        for (int i = 0; i < 500 && !found; ++i) {
            host::runsync([&] {
                auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                if (dialog == nullptr || !dialog->isVisible()) return;
                seen.Accept = dialog->labelText(QFileDialog::Accept);
                seen.NameLabel = dialog->labelText(QFileDialog::FileName);
                seen.Title = dialog->windowTitle();
                if (auto* message = dialog->findChild<QLabel*>("message")) seen.Message = message->text();
                seen.Filters = dialog->nameFilters();
                seen.Mode = dialog->fileMode();
                found = true;
                if (path.isEmpty()) {
                    dialog->reject();
                } else {
                    dialog->selectFile(path);
                    static_cast<QDialog*>(dialog)->accept();  // the same as pressing the button
                }
            });
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    });
}

}  // namespace

TEST(FileDialogs, SaveDialogShowsItsTextsAndAnswersTheChosenPath) {
    const std::string path = (std::filesystem::temp_directory_path() / "bild.gr").string();
    t_Seen seen;
    std::atomic<bool> found{false};
    std::thread user = driver(QString::fromStdString(path), seen, found);
    const std::string chosen = filesavepanel("bild.gr", "Grafik sichern unter", "Wohin?", "gr");
    user.join();
    ASSERT_TRUE(found);
    EXPECT_EQ(chosen, path);
    EXPECT_EQ(seen.Accept, "Sichern");
    EXPECT_EQ(seen.NameLabel, "Sichern unter:");
    EXPECT_EQ(seen.Title, "Grafik sichern unter");
    EXPECT_EQ(seen.Message, "Wohin?");
    EXPECT_EQ(seen.Filters, (QStringList{"gr (*.gr)", "Alle Dateien (*)"}));
}

TEST(FileDialogs, OpenDialogCancelledAnswersNothing) {
    t_Seen seen;
    std::atomic<bool> found{false};
    std::thread user = driver("", seen, found);
    const std::string chosen = fileopenpanel("Ordner", "", "", false, true);
    user.join();
    ASSERT_TRUE(found);
    EXPECT_EQ(chosen, "");
    EXPECT_EQ(seen.Accept, QString::fromUtf8("Wählen"));
    EXPECT_EQ(seen.Mode, QFileDialog::Directory);
    EXPECT_EQ(seen.Filters, QStringList{"Alle Dateien (*)"});
}
