// The real dialog, driven the way a user would: found on screen, filled in, accepted or cancelled.
#include <gtest/gtest.h>

#include <QApplication>
#include <QAbstractButton>
#include <QComboBox>
#include <QFileDialog>
#include <QHeaderView>
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
    QStringList Texts;  // every label, button, tool tip, column and choice the dialog shows
    QStringList Filters;
    QFileDialog::FileMode Mode = QFileDialog::AnyFile;
};

QStringList showntexts(QWidget* dialog) {
    QStringList texts;
    for (auto* label : dialog->findChildren<QLabel*>()) texts << label->text();
    for (auto* button : dialog->findChildren<QAbstractButton*>()) texts << button->text() << button->toolTip();
    for (auto* box : dialog->findChildren<QComboBox*>())
        for (int i = 0; i < box->count(); ++i) texts << box->itemText(i);
    for (auto* header : dialog->findChildren<QHeaderView*>())
        for (int i = 0; header->model() != nullptr && i < header->count(); ++i)
            texts << header->model()->headerData(i, Qt::Horizontal).toString();
    return texts;
}

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
                seen.Texts = showntexts(dialog);
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
    // Qt's own texts come in German too, beside the program's.
    for (const char* english : {"Look in:", "Files of type:", "Cancel", "Size", "Type", "Date Modified", "Back",
                                "Forward", "Parent Directory", "Create New Folder", "List View", "Detail View"})
        EXPECT_FALSE(seen.Texts.contains(english)) << english;
    EXPECT_TRUE(seen.Texts.contains("Abbrechen")) << seen.Texts.join("|").toStdString();
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
