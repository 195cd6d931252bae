// The file dialogs. Qt's own dialog is used rather than the desktop's: only it shows our
// button and label texts, and it behaves the same on every desktop.
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QUrl>

#include <mutex>

#include "host/dialogs.h"
#include "host/host.h"

namespace {

// Where the last dialog was left, so the next one opens there (GUI thread only).
QString lastdirectory;

std::mutex answerermutex;
host::t_DialogAnswerer answerer;  // guarded by answerermutex; set by tests

QString qs(const std::string& s) { return QString::fromStdString(s); }

// A chosen URL as a path: local files as their path, anything else as its decoded URL text;
// either way in precomposed form, as file names are compared byte by byte.
std::string pathfromurl(const QUrl& url) {
    const QString text = url.isLocalFile() ? url.toLocalFile() : url.toString(QUrl::FullyDecoded);
    return text.normalized(QString::NormalizationForm_C).toStdString();
}

QStringList namefilters(const host::t_FileDialog& d) {
    QStringList types, patterns;
    for (const std::string& type : d.FileTypes) {
        types << qs(type);
        patterns << "*." + qs(type);
    }
    QStringList filters;
    if (!patterns.isEmpty()) filters << types.join(", ") + " (" + patterns.join(' ') + ")";
    if (patterns.isEmpty() || (d.Save && d.AllowOtherTypes)) filters << "Alle Dateien (*)";
    return filters;
}

void configure(QFileDialog& dialog, const host::t_FileDialog& d) {
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setWindowTitle(qs(d.Title));
    dialog.setDirectory(lastdirectory.isEmpty() ? QDir::homePath() : lastdirectory);
    dialog.setNameFilters(namefilters(d));
    if (d.Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setLabelText(QFileDialog::FileName, qs(d.NameLabel));
        if (!d.FileTypes.empty()) dialog.setDefaultSuffix(qs(d.FileTypes.front()));
        dialog.selectFile(qs(d.Name));
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        const bool directoriesonly = d.CanChooseDirectories && !d.CanChooseFiles;
        dialog.setFileMode(directoriesonly ? QFileDialog::Directory : QFileDialog::ExistingFile);
    }
    dialog.setLabelText(QFileDialog::Accept, qs(d.Prompt));
    if (!d.Message.empty()) {
        if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
            auto* message = new QLabel(qs(d.Message), &dialog);
            message->setObjectName("message");
            grid->addWidget(message, grid->rowCount(), 0, 1, -1);
        }
    }
}

// What the user would see, read back from the built dialog.
host::t_FileDialog shown(const QFileDialog& dialog) {
    host::t_FileDialog d;
    d.Save = dialog.acceptMode() == QFileDialog::AcceptSave;
    d.Prompt = dialog.labelText(QFileDialog::Accept).toStdString();
    d.Title = dialog.windowTitle().toStdString();
    if (const auto* message = dialog.findChild<QLabel*>("message")) d.Message = message->text().toStdString();
    if (d.Save) {
        d.NameLabel = dialog.labelText(QFileDialog::FileName).toStdString();
        const QStringList selected = dialog.selectedFiles();
        if (!selected.isEmpty()) d.Name = QFileInfo(selected.first()).fileName().toStdString();
    }
    const QStringList filters = dialog.nameFilters();
    d.AllowOtherTypes = filters.size() > 1 || filters.value(0).contains("(*)");
    if (!filters.isEmpty() && !filters.first().contains("(*)")) {
        const QString first = filters.first();
        const QString inside = first.mid(first.indexOf('(') + 1).chopped(1);
        for (const QString& pattern : inside.split(' ', Qt::SkipEmptyParts)) d.FileTypes.push_back(pattern.mid(2).toStdString());
    }
    d.CanChooseDirectories = dialog.fileMode() == QFileDialog::Directory;
    d.CanChooseFiles = !d.CanChooseDirectories;
    return d;
}

}  // namespace

namespace host {

std::string runfiledialog(const t_FileDialog& d) {
    QFileDialog dialog;
    configure(dialog, d);
    t_DialogAnswerer answer;
    {
        std::lock_guard<std::mutex> lock(answerermutex);
        answer = answerer;
    }
    if (answer) {
        const std::string path = answer(shown(dialog));
        return path.empty() ? std::string() : pathfromurl(QUrl::fromLocalFile(qs(path)));
    }
    if (dialog.exec() != QDialog::Accepted) return "";
    lastdirectory = dialog.directory().absolutePath();
    const QList<QUrl> urls = dialog.selectedUrls();
    return urls.isEmpty() ? std::string() : pathfromurl(urls.first());
}

std::string filedialogfolder() {
    return (lastdirectory.isEmpty() ? QDir::homePath() : lastdirectory).toStdString();
}

void setfiledialoganswerer(t_DialogAnswerer function) {
    std::lock_guard<std::mutex> lock(answerermutex);
    answerer = std::move(function);
}

}  // namespace host
