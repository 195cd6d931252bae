// Zoomed pictures on the Qt side: a window image drawn at a whole factor, each pixel an exact
// factor x factor block, never smoothed. GUI thread only.
#pragma once

#include <QImage>
#include <QRect>

class QPainter;

// k when the view is exactly k times the image in both directions, 0 otherwise.
int wholefactor(QSize view, QSize image);
// Draws the image over target with one scaling blit.
void drawzoomed(QPainter& painter, const QRect& target, const QImage& image);
// The image factor times as large.
QImage zoomedimage(const QImage& image, int factor);
