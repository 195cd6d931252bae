// The application menu bar: one set of menus, shown in a QMenuBar at the top of every host window.
// Each item carries the tag of its framework command in its data; choosing it hands the item to
// the framework. Shortcuts use Control+Shift with a letter: Control with a letter alone is a
// control code the program reads, and Control+Shift combinations never reach a program because
// the shortcut is taken before the view sees the key.
#include "host/qt/menubar.h"

#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QWidget>

#include <vector>

#include "host/framework_calls.h"
#include "host/host.h"
#include "host/menus.h"
#include "host/qt/key_mapping.h"

namespace {

constexpr int separator = -1;  // a row of the menu table that is a separator line
constexpr int quititem = -2;   // leaves the application; no framework command

// One item starts and ends a recording of the front window; its title says which it will do.
constexpr int recordingtag = 115;
constexpr const char* starttitle = "Aufnahme starten";
constexpr const char* stoptitle = "Aufnahme beenden";

struct t_ItemRow {
    const char* Title;
    int Tag;
    const char* Shortcut;  // empty: none; alternatives after "; "
};

const t_ItemRow filemenu[] = {
    {"Öffnen …", 100, "Ctrl+Shift+O"},
    {"Sichern unter …", 101, ""},
    {"", separator, ""},
    {"Grafik sichern …", 113, "Ctrl+Shift+S"},
    {starttitle, recordingtag, "Ctrl+Shift+R"},
    {"", separator, ""},
    {"Drucker leeren", 112, ""},
    {"Konsole leeren", 114, ""},
    {"", separator, ""},
    {"Beenden", quititem, "Ctrl+Shift+Q"},
};

const t_ItemRow editmenu[] = {
    {"Bild kopieren", 110, "Ctrl+Shift+B"},
    {"Text kopieren", 111, "Ctrl+Shift+C"},
};

// The host windows 8-12 in menu order, with the tags that bring them to the front and hide them.
struct t_HostWindowRow {
    const char* Title;
    int FrontTag;
    int HideTag;
    const char* Shortcut;
};
const t_HostWindowRow hostwindowrows[] = {
    {"Zwischenablage", 211, 212, "Ctrl+Shift+V"},
    {"Drucker", 209, 210, "Ctrl+Shift+P"},
    {"Systemkonsole", 229, 230, "Ctrl+Shift+K"},
    {"Einstellungen", 207, 208, ""},
    {"Hauptfenster", 205, 206, ""},
};

// Zoom and full screen of the front graphic window, at the end of the window menu.
const t_ItemRow zoommenurows[] = {
    {"Vergrößern", 232, "Ctrl+Shift++; Ctrl+Shift+="},  // where "+" is a shifted "=", as on US keyboards
    {"Verkleinern", 233, "Ctrl+Shift+-"},
    {"Vollbild", 234, "Ctrl+Shift+F"},
};

// The help menu's one item names the program; it has no framework command, so the program's
// menu handler answers it.
constexpr int aboutitemtag = 0;

struct t_MenuBarState {
    std::vector<QMenu*> Menus;  // the menu bar's menus in order; built once, never deleted
    int Height = -1;            // measured once, so window geometry never shifts afterwards
};
t_MenuBarState menubar;  // GUI thread only

host::t_MenuChoice choicefor(QAction* action) {
    host::t_MenuChoice choice;
    choice.Tag = action->data().toLongLong();
    QMenu* menu = nullptr;
    for (QObject* owner : action->associatedObjects())
        if ((menu = qobject_cast<QMenu*>(owner)) != nullptr) break;
    if (menu == nullptr) return choice;  // an item outside every menu reports nothing but its tag
    choice.HasMenu = true;
    choice.MenuTitle = menu->title().toStdString();
    choice.ItemTitle = action->text().toStdString();
    const QKeySequence shortcut = action->shortcut();
    if (!shortcut.isEmpty()) {
        const QKeyCombination key = shortcut[0];
        choice.KeyChar = QKeySequence(key.key()).toString().toLower().toStdString();
        choice.KeyMods = static_cast<uint64_t>(modifierword(key.keyboardModifiers(), false));
    }
    return choice;
}

void additem(QMenu* menu, const char* title, int tag, const char* shortcut) {
    if (tag == separator) {
        menu->addSeparator();
        return;
    }
    QAction* action = menu->addAction(QString::fromUtf8(title));
    if (shortcut[0] != '\0') {
        action->setShortcuts(QKeySequence::listFromString(QString::fromUtf8(shortcut)));
        // Every window shows the same menus, so a shortcut works in whichever window is active.
        action->setShortcutContext(Qt::ApplicationShortcut);
    }
    if (tag == quititem) {
        QObject::connect(action, &QAction::triggered, action, [] { host::quitapplication(0); });
        return;
    }
    action->setData(QVariant::fromValue<qlonglong>(tag));
    QObject::connect(action, &QAction::triggered, action, [action] { hostcalls::menuhandler(choicefor(action)); });
}

template <size_t count>
QMenu* makemenu(const char* title, const t_ItemRow (&rows)[count]) {
    auto* menu = new QMenu(QString::fromUtf8(title));
    for (const t_ItemRow& row : rows) additem(menu, row.Title, row.Tag, row.Shortcut);
    return menu;
}

QMenu* makewindowmenu() {
    auto* menu = new QMenu(QString::fromUtf8("Fenster"));
    for (int w = 0; w < 8; ++w)
        additem(menu, ("Grafikfenster " + std::to_string(w)).c_str(), 213 + 2 * w, "");
    additem(menu, "", separator, "");
    for (const t_HostWindowRow& row : hostwindowrows) additem(menu, row.Title, row.FrontTag, row.Shortcut);
    additem(menu, "", separator, "");
    additem(menu, "Vorderstes Fenster ausblenden", 201, "Ctrl+Shift+W");
    additem(menu, "Alle Fenster ausblenden", 200, "");
    QMenu* hide = menu->addMenu(QString::fromUtf8("Ausblenden"));
    for (int w = 0; w < 8; ++w)
        additem(hide, ("Grafikfenster " + std::to_string(w)).c_str(), 214 + 2 * w, "");
    additem(hide, "", separator, "");
    for (const t_HostWindowRow& row : hostwindowrows) additem(hide, row.Title, row.HideTag, "");
    additem(menu, "", separator, "");
    for (const t_ItemRow& row : zoommenurows) additem(menu, row.Title, row.Tag, row.Shortcut);
    return menu;
}

// The recording item is titled for the window in front whenever the menu opens.
void titlerecordingitem(QMenu* menu) {
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu] {
        for (QAction* action : menu->actions())
            if (action->data().isValid() && action->data().toLongLong() == recordingtag)
                action->setText(QString::fromUtf8(hostcalls::windowrecording(host::frontwindow()) ? stoptitle
                                                                                                  : starttitle));
    });
}

void buildmenus() {
    if (!menubar.Menus.empty()) return;
    menubar.Menus = {makemenu("Datei", filemenu), makemenu("Bearbeiten", editmenu), makewindowmenu(),
                     new QMenu(QString::fromUtf8("Hilfe"))};
    titlerecordingitem(menubar.Menus.front());
    additem(menubar.Menus.back(), ("Über " + hostcalls::programname()).c_str(), aboutitemtag, "");
}

QMenuBar* makemenubar(QWidget* parent) {
    buildmenus();
    auto* bar = new QMenuBar(parent);
    bar->setNativeMenuBar(false);  // it must take the same height in every window
    // The window's background is the framework's border colour; the menu bar keeps the
    // desktop's own colours so that it stays readable on any border.
    QPalette palette = QApplication::palette();
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::WindowText, QPalette::Button, QPalette::ButtonText})
        palette.setColor(role, palette.color(role));
    bar->setPalette(palette);
    bar->setAutoFillBackground(true);
    for (QMenu* menu : menubar.Menus) bar->addMenu(menu);
    return bar;
}

// Keeps a window's menu bar across the window's full width at the top.
class MenuBarKeeper : public QObject {
public:
    MenuBarKeeper(QWidget* window, QMenuBar* bar) : QObject(window), Bar(bar) { window->installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize || event->type() == QEvent::Show) {
            auto* window = static_cast<QWidget*>(watched);
            if (Bar->isHidden()) return false;
            Bar->setGeometry(0, 0, window->width(), menubarheight());
            Bar->raise();
        }
        return false;
    }
private:
    QMenuBar* Bar;
};

QMenu* findmenuwidget(const std::string& title) {
    buildmenus();
    const QString wanted = QString::fromStdString(title);
    for (QMenu* menu : menubar.Menus)
        if (menu->title() == wanted) return menu;
    return nullptr;
}

QAction* itemat(QMenu* menu, int64_t position) {
    if (menu == nullptr) return nullptr;
    const QList<QAction*> items = menu->actions();
    if (position < 0 || position >= items.size()) return nullptr;
    return items[static_cast<qsizetype>(position)];
}

QAction* findtagged(QMenu* menu, int64_t tag) {
    for (QAction* action : menu->actions()) {
        if (QMenu* sub = action->menu()) {
            if (QAction* found = findtagged(sub, tag)) return found;
        } else if (!action->isSeparator() && action->data().isValid() && action->data().toLongLong() == tag) {
            return action;
        }
    }
    return nullptr;
}

}  // namespace

void attachmenubar(QWidget* window) {
    if (window == nullptr) return;
    QMenuBar* bar = makemenubar(window);
    bar->setGeometry(0, 0, window->width(), menubarheight());
    new MenuBarKeeper(window, bar);
}

void showmenubar(QWidget* window, bool shown) {
    if (window == nullptr) return;
    if (auto* bar = window->findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly)) {
        bar->setVisible(shown);
        if (shown) bar->setGeometry(0, 0, window->width(), menubarheight());
    }
}

int menubarheight() {
    if (menubar.Height < 0) {
        QMenuBar* probe = makemenubar(nullptr);
        menubar.Height = probe->sizeHint().height();
        delete probe;
    }
    return menubar.Height;
}

namespace host {

std::optional<std::vector<std::string>> menuitemtitles(const std::string& menutitle) {
    std::optional<std::vector<std::string>> titles;
    runsync([&] {
        QMenu* menu = findmenuwidget(menutitle);
        if (menu == nullptr) return;
        titles.emplace();
        for (QAction* action : menu->actions()) titles->push_back(action->text().toStdString());
    });
    return titles;
}

bool deletemenuitem(const std::string& menutitle, int64_t position) {
    bool deleted = false;
    runsync([&] {
        QMenu* menu = findmenuwidget(menutitle);
        QAction* action = itemat(menu, position);
        if (action == nullptr) return;
        // Once out of its menu the item's shortcut has no window left to work in; the object
        // goes later, as the item may be the one whose choice is being handled right now.
        menu->removeAction(action);
        if (QMenu* sub = action->menu()) sub->deleteLater();
        else action->deleteLater();
        deleted = true;
    });
    return deleted;
}

bool setmenuitemtitle(const std::string& menutitle, int64_t position, const std::string& title) {
    bool changed = false;
    runsync([&] {
        QAction* action = itemat(findmenuwidget(menutitle), position);
        if (action == nullptr || action->isSeparator()) return;
        action->setText(QString::fromStdString(title));
        changed = true;
    });
    return changed;
}

bool addmenuitem(const std::string& menutitle, const std::string& title, int64_t tag) {
    bool added = false;
    runsync([&] {
        QMenu* menu = findmenuwidget(menutitle);
        if (menu == nullptr) return;
        additem(menu, title.c_str(), static_cast<int>(tag), "");
        added = true;
    });
    return added;
}

bool choosemenuitem(int64_t tag) {
    bool chosen = false;
    runsync([&] {
        buildmenus();
        for (QMenu* menu : menubar.Menus)
            if (QAction* action = findtagged(menu, tag)) {
                action->trigger();
                chosen = true;
                return;
            }
    });
    return chosen;
}

}  // namespace host
