// The text views and rulers of the pasteboard, printer and console windows.
#include <QScrollBar>
#include <QTextDocument>

#include "host/host.h"
#include "host/qt/interface.h"
#include "host/qt/ruler_line.h"

namespace host {

bool textviewexists(int window) {
    bool exists = false;
    runsync([&] {
        exists = textwindowparts(window) != nullptr;  // made when first needed
    });
    return exists;
}

namespace {

// The document's own characters with line ends for its block and frame boundaries. Qt's plain
// text would also turn every no-break space into a space, and code 160 is a character of its own.
std::string wholetext(const QTextDocument& document) {
    QString text = document.toRawText();
    for (QChar& c : text)
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator || c == QChar(0xFDD0) || c == QChar(0xFDD1))
            c = u'\n';
    return text.toStdString();
}

}  // namespace

std::string textviewtext(int window) {
    std::string text;
    runsync([&] {
        const t_TextWindowParts* parts = textwindowparts(window);  // a view not yet made holds no text
        if (parts != nullptr && parts->TextView != nullptr) text = wholetext(*parts->TextView->document());
    });
    return text;
}

void settextviewtext(int window, const std::string& text) {
    runsync([&] {
        // A view not yet made is empty: emptying it need not make it (the start empties the
        // pasteboard's, which would cost the start a text view's set-up).
        const t_TextWindowParts* parts = text.empty() ? textwindowparts(window) : textwindow(window);
        if (parts != nullptr && parts->TextView != nullptr) parts->TextView->setPlainText(QString::fromStdString(text));
    });
}

void appendtextviewtext(int window, const std::string& text) {
    runsync([&] {
        const t_TextWindowParts* parts = textwindow(window);
        if (parts == nullptr) return;
        QTextCursor cursor(parts->TextView->document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(QString::fromStdString(text));
        QScrollBar* bar = parts->TextView->verticalScrollBar();
        bar->setValue(bar->maximum());
    });
}

void setrulertext(int window, const std::string& text) {
    runsync([&] {
        const t_TextWindowParts* parts = textwindow(window);
        if (parts != nullptr && parts->Ruler != nullptr) parts->Ruler->setText(QString::fromStdString(text));
    });
}

std::string rulertext(int window) {
    std::string text;
    runsync([&] {
        const t_TextWindowParts* parts = textwindowparts(window);
        if (parts != nullptr && parts->Ruler != nullptr) text = parts->Ruler->text().toStdString();
    });
    return text;
}

void settextviewfont(int window, const std::string& family, int points) {
    runsync([&] {
        t_TextWindowParts* parts = textwindowparts(window);
        if (parts == nullptr) return;
        parts->FontFamily = QString::fromStdString(family);
        parts->FontPoints = points;
        if (parts->TextView == nullptr) return;
        QFont font = parts->TextView->font();
        font.setFamilies({QString::fromStdString(family), font.family()});
        font.setPointSize(points);
        parts->TextView->setFont(font);
        if (parts->Ruler != nullptr) parts->Ruler->update();  // it writes in the text view's font
    });
}

void layouttextwindow(int window, t_Frame scroll, int64_t rulerwidth) {
    runsync([&] {
        t_TextWindowParts* parts = textwindowparts(window);
        if (parts == nullptr) return;
        const int height = parts->Window->height();
        const int top = height - static_cast<int>(scroll.Y + scroll.Height);
        parts->ViewGeometry = QRect(static_cast<int>(scroll.X), top, static_cast<int>(scroll.Width),
                                    static_cast<int>(scroll.Height));
        if (parts->WithRuler && rulerwidth > 0)
            parts->RulerGeometry = QRect(static_cast<int>(scroll.X), top - 19, static_cast<int>(rulerwidth), 19);
        if (parts->TextView == nullptr) return;
        parts->TextView->setGeometry(parts->ViewGeometry);
        if (parts->Ruler != nullptr && rulerwidth > 0) parts->Ruler->setGeometry(parts->RulerGeometry);
    });
}

void setscrollviewsize(int window, int64_t width, int64_t height) {
    runsync([&] {
        t_TextWindowParts* parts = textwindowparts(window);
        if (parts == nullptr) return;
        QSize size = parts->ViewGeometry.size();
        if (width > 0) size.setWidth(static_cast<int>(width));
        if (height > 0) size.setHeight(static_cast<int>(height));
        parts->ViewGeometry.setSize(size);
        if (parts->TextView != nullptr) parts->TextView->resize(size);
    });
}

}  // namespace host
