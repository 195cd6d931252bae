// Every host window has a menu bar, and every QMenuBar makes an extension button for menus that
// do not fit, with an icon from the style. Loading that first icon reads Qt's icon and image
// plugins and decodes a picture: a good part of the program's start-up, for a button that a
// window as wide as its menus never shows. The icon here is loaded only when it is first drawn.
#include "host/qt/menubar_style.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>

#include <optional>

namespace {

// Stands for the style's icon and asks the style for it at the first use.
class DeferredIconEngine : public QIconEngine {
public:
    DeferredIconEngine(QStyle* style, QStyle::StandardPixmap which) : Style(style), Which(which) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }
    QIconEngine* clone() const override { return new DeferredIconEngine(Style, Which); }
    QString key() const override { return QStringLiteral("DeferredIconEngine"); }

private:
    const QIcon& icon() {
        if (!Loaded) Loaded = Style ? Style->standardIcon(Which) : QIcon();
        return *Loaded;
    }

    QPointer<QStyle> Style;
    QStyle::StandardPixmap Which;
    std::optional<QIcon> Loaded;
};

class MenuBarStyle : public QProxyStyle {
public:
    QIcon standardIcon(StandardPixmap which, const QStyleOption* option, const QWidget* widget) const override {
        if (which == SP_ToolBarHorizontalExtensionButton && option == nullptr)
            return QIcon(new DeferredIconEngine(baseStyle(), which));
        return QProxyStyle::standardIcon(which, option, widget);
    }
};

}  // namespace

namespace host {

void installmenubarstyle() {
    // A proxy without a base style takes the one the desktop would have given.
    QApplication::setStyle(new MenuBarStyle);
}

}  // namespace host
