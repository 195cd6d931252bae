#include "host/qt/ruler_line.h"

#include <QPainter>
#include <QScrollBar>

RulerLine::RulerLine(QPlainTextEdit* textview, QWidget* parent) : QWidget(parent), TextView(textview) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    QObject::connect(textview->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { update(); });
}

void RulerLine::setText(const QString& text) {
    Text = text;
    update();
}

void RulerLine::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    // Column 1 of the ruler sits where the text view draws column 1 now: its left margin less
    // what the view has scrolled sideways.
    const QTextCursor start(TextView->document());
    const QPoint column1 = TextView->viewport()->mapTo(window(), TextView->cursorRect(start).topLeft());
    const int left = mapFrom(window(), column1).x();
    painter.setFont(TextView->font());
    painter.setPen(palette().color(QPalette::Text));
    const QFontMetrics metrics(TextView->font());
    painter.drawText(QPoint(left, (height() - metrics.height()) / 2 + metrics.ascent()), Text);
}
