// The real dialog, driven the way a user would: found on screen, read, accepted or cancelled.
// What it shows is read back through the dialog hook the other folders' tests answer by, so
// that hook is checked against the real dialog here too (its title and file types are read
// back in the tests of the file panels).

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>

#include "graphics/file_panels.h"
#include "host/dialogs.h"
#include "support/helpers.h"

namespace {

// Waits on a thread of its own for the modal file dialog, notes its labels and buttons, then
// chooses the path (or cancels when it is empty).
std::thread driver(const QString& path, QStringList& texts) {
    return std::thread([path, &texts] {
        for (int i = 0; i < 500 && texts.isEmpty(); ++i) {
            host::runsync([&] {
                auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                if (dialog == nullptr || !dialog->isVisible()) return;
                for (auto* label : dialog->findChildren<QLabel*>()) texts << label->text();
                for (auto* button : dialog->findChildren<QAbstractButton*>()) texts << button->text() << button->toolTip();
                if (path.isEmpty()) {
                    dialog->reject();
                } else {
                    dialog->selectFile(path);
                    static_cast<QDialog*>(dialog)->accept();  // the same as pressing the button
                }
            });
            sleepms(10);
        }
    });
}

}  // namespace

TEST(FileDialogs, ShowTheirGermanTextsAndAnswerTheChosenPathOrNothing) {
    const std::string path = (std::filesystem::temp_directory_path() / "bild.gr").string();
    const std::tuple<std::function<std::string()>, std::string, std::string> rows[] = {
        {[] { return filesavepanel("bild.gr", "Grafik sichern unter", "Wohin?", "gr"); }, path,
         "save|Sichern|Sichern unter:|bild.gr|Wohin?"},
        {[] { return fileopenpanel("Ordner", "", "", false, true); }, "", "open|W\u00e4hlen|||"},
    };
    for (const auto& [open, chosen, expected] : rows) {
        SCOPED_TRACE(expected);
        std::string shown;
        host::setfiledialoganswerer([&shown](const host::t_FileDialog& d) {
            shown = (d.Save ? "save|" : "open|") + d.Prompt + "|" + d.NameLabel + "|" + d.Name + "|" + d.Message;
            return "";
        });
        EXPECT_EQ(open(), "");
        host::setfiledialoganswerer({});
        EXPECT_EQ(shown, expected);

        QStringList texts;
        std::thread user = driver(QString::fromStdString(chosen), texts);
        EXPECT_EQ(open(), chosen);
        user.join();
        // Qt's own texts come in German too, beside the program's.
        EXPECT_TRUE(texts.contains("Abbrechen") && !texts.contains("Cancel")) << texts.join("|").toStdString();
    }
}
