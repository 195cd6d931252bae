// The interface description: the 13 host windows and the widgets inside them.
#pragma once

#include <QPlainTextEdit>
#include <QWidget>

class GraphicView;
class RulerLine;

// A framework window as the desktop shows it; the number is its framework number.
class HostWindow : public QWidget {
public:
    HostWindow(int number, const QString& title);
    int number() const { return Number; }
    void laidout();  // tells the framework the size the window has now
protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
private:
    int Number;
};

struct t_TextWindowParts {
    HostWindow* Window = nullptr;
    QPlainTextEdit* TextView = nullptr;  // also its own scroll view
    RulerLine* Ruler = nullptr;          // none for the pasteboard window
};

struct t_Interface {
    HostWindow* Windows[13] = {};
    GraphicView* Views[8] = {};
    t_TextWindowParts TextWindows[3];  // 8 pasteboard, 9 printer, 10 console
};

t_Interface& interface();            // GUI thread only
void buildinterface();               // creates every window, hidden
HostWindow* hostwindow(int number);  // nullptr when the number has no window
t_TextWindowParts* textwindow(int number);
