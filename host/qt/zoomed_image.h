// Window images at a whole factor on the Qt side: each pixel an exact factor x factor block,
// never smoothed. GUI thread only.
#pragma once

#include <QImage>
#include <QRect>

class QPainter;

// k when the view is exactly k times the image in both directions, 0 otherwise.
int wholefactor(QSize view, QSize image);
// Draws the image (Format_RGB32) over target with one scaling blit; at a whole factor only the
// blocks that cover `exposed` (the part being painted).
void drawzoomed(QPainter& painter, const QRect& target, const QImage& image, const QRect& exposed);
// The image factor times as large.
QImage zoomedimage(const QImage& image, int factor);
