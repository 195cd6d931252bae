// The view of a graphic window: paints the window image with crisp pixels, forwards input.
// A change repaints only the part of the view that shows it.
#pragma once

#include <QWidget>

#include "host/host.h"

class GraphicView : public QWidget {
public:
    GraphicView(int number, QWidget* parent);
    int number() const { return Number; }
    // Repaints what shows `area` of an image of size `image` (framework pixels).
    void updatearea(const host::t_PixelArea& area, QSize image);
protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
private:
    int Number;
};

// Hands a press or release to the framework in the coordinates of from's window (origin at its
// lower left): from the view, and from the window itself for a click beside the view.
void forwardmousepress(int window, const QWidget* from, const QMouseEvent& event);
void forwardmouserelease(int window, const QMouseEvent& event);
