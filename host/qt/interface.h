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

// A text view costs the start of the program its font set-up, so it is made when its window is
// first shown or its text is first used; what is set before goes into the fields below it.
struct t_TextWindowParts {
    HostWindow* Window = nullptr;
    QPlainTextEdit* TextView = nullptr;  // also its own scroll view; nullptr until made
    RulerLine* Ruler = nullptr;          // none for the pasteboard window
    bool WithRuler = false;
    QString FontFamily;                  // empty: the system's fixed font
    int FontPoints = 12;
    QRect ViewGeometry{0, 0, 100, 30};   // a child widget's first geometry
    QRect RulerGeometry;                 // empty: never placed
};

struct t_Interface {
    HostWindow* Windows[13] = {};
    GraphicView* Views[8] = {};
    t_TextWindowParts TextWindows[3];  // 8 pasteboard, 9 printer, 10 console
};

t_Interface& interface();            // GUI thread only
void buildinterface();               // creates every window, hidden
HostWindow* hostwindow(int number);  // nullptr when the number has no window
t_TextWindowParts* textwindow(int number);       // with its text view made; nullptr for 0-7, 11, 12
t_TextWindowParts* textwindowparts(int number);  // as it is, the text view perhaps not yet made
