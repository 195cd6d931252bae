// The ruler above a printout: one line in the text view's own font that stands over the text's
// columns and scrolls sideways with it.
#pragma once

#include <QPlainTextEdit>
#include <QString>
#include <QWidget>

class RulerLine : public QWidget {
public:
    RulerLine(QPlainTextEdit* textview, QWidget* parent);
    void setText(const QString& text);
    QString text() const { return Text; }
protected:
    void paintEvent(QPaintEvent* event) override;
private:
    QPlainTextEdit* TextView;
    QString Text;
};
