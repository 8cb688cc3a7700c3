// The main menu and the bars that show it. Linux has no application-wide menu bar, so every
// toolkit window carries its own bar; all bars share the same QMenu objects, so a change to a
// menu shows in every window at once and each item's shortcut works in whichever window is active.
#include "platform/qtinternal.h"

#include "base/lasting.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include <vector>

namespace platform {

namespace {

constexpr const char* TitleProperty = "toolkittitle";
constexpr const char* KeyProperty = "toolkitkey";

// Main thread only, like every menu command.
struct MenuState {
    std::vector<QMenu*> menus;            // the main menu, in the bars' order
    std::vector<QPointer<QMenuBar>> bars; // one per toolkit window; null once it is gone
    QObject* looseitemowner = nullptr;    // owns the items in no menu, made when first needed
};

MenuState& state() {
    return base::lasting<MenuState>();
}

std::vector<QMenu*>& mainmenus() {
    return state().menus;
}

std::vector<QPointer<QMenuBar>>& menubars() {
    return state().bars;
}

QMenu* qt(Menu m) {
    return reinterpret_cast<QMenu*>(m);
}
QAction* qt(MenuItem item) {
    return reinterpret_cast<QAction*>(item);
}
Menu handle(QMenu* m) {
    return reinterpret_cast<Menu>(m);
}
MenuItem handle(QAction* a) {
    return reinterpret_cast<MenuItem>(a);
}

// "&" would otherwise mark a mnemonic ("Emoji & Symbole").
QString displayed(const std::string& title) {
    return QString::fromStdString(title).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

void settitle(QAction* action, const std::string& title) {
    action->setProperty(TitleProperty, QString::fromStdString(title));
    action->setText(displayed(title));
}

QAction* makeaction(QObject* parent, const std::string& title, int64_t tag) {
    auto* action = new QAction(parent);
    settitle(action, title);
    action->setData(QVariant::fromValue<qlonglong>(tag));
    QObject::connect(action, &QAction::triggered, action, [action] {
        if (handlers().menuitemchosen) {
            handlers().menuitemchosen(handle(action));
        }
    });
    return action;
}

// The Qt key of a key equivalent: a lower-case letter or an arrow; 0 for anything else.
int qtkeyof(const std::string& keyequivalent) {
    if (keyequivalent.size() == 1 && keyequivalent[0] >= 'a' && keyequivalent[0] <= 'z') {
        return Qt::Key_A + (keyequivalent[0] - 'a');
    }
    if (keyequivalent == leftarrowkey || keyequivalent == rightarrowkey) {
        return keyequivalent == leftarrowkey ? Qt::Key_Left : Qt::Key_Right;
    }
    return 0;
}

// A key equivalent takes Ctrl+Shift: Control+letter belongs to the line editor.
void setkeyequivalent(QAction* action, const std::string& keyequivalent) {
    if (const int key = qtkeyof(keyequivalent); key != 0) {
        action->setProperty(KeyProperty, QString::fromStdString(keyequivalent));
        action->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | static_cast<Qt::Key>(key)));
    }
}

QMenuBar* barof(const QWidget* window) {
    return window->findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly);
}

} // namespace

void attachmenubar(QWidget* window) {
    auto* bar = new QMenuBar(window);
    bar->setNativeMenuBar(false); // in the window, also where a global menu bar exists
    // The window's background is a graphic window's border colour; the bar keeps the
    // application's colours instead of inheriting it (black on black for a black border).
    QPalette palette = QApplication::palette(bar);
    palette.setResolveMask(~QPalette::ResolveMask(0));
    bar->setPalette(palette);
    for (QMenu* menu : mainmenus()) {
        bar->addMenu(menu);
    }
    menubars().emplace_back(bar);
    bar->setGeometry(0, 0, window->width(), bar->sizeHint().height());
    if (window->isVisible()) {
        bar->show(); // a child made in a shown window starts hidden
    }
}

// A window's bar is made when the window is first measured, placed or shown: the first bar sets
// up the fonts, which the start then need not wait for.
QMenuBar* ensuremenubar(const QWidget* window) {
    if (QMenuBar* bar = barof(window)) {
        return bar;
    }
    attachmenubar(const_cast<QWidget*>(window));
    return barof(window);
}

int menubarheight(const QWidget* window) {
    const QMenuBar* bar = ensuremenubar(window);
    return bar != nullptr && !bar->isHidden() ? bar->height() : 0;
}

void fitmenubar(QWidget* window) {
    QMenuBar* bar = ensuremenubar(window);
    bar->setGeometry(0, 0, window->width(), bar->sizeHint().height());
    bar->raise();
}

void showmenubar(QWidget* window, bool visible) {
    ensuremenubar(window)->setVisible(visible);
}

Menu mainmenuwithtitle(const std::string& title) {
    const QString wanted = QString::fromStdString(title);
    for (QMenu* menu : mainmenus()) {
        if (menu->property(TitleProperty).toString() == wanted) {
            return handle(menu);
        }
    }
    return nullptr;
}

Menu mainmenuappend(const std::string& title) {
    auto* menu = new QMenu(displayed(title));
    menu->setProperty(TitleProperty, QString::fromStdString(title));
    mainmenus().push_back(menu);
    for (const QPointer<QMenuBar>& bar : menubars()) {
        if (bar) {
            bar->addMenu(menu);
            fitmenubar(bar->parentWidget());
        }
    }
    return handle(menu);
}

Menu mainmenuprepend(const std::string& title) {
    auto* menu = new QMenu(displayed(title));
    menu->setProperty(TitleProperty, QString::fromStdString(title));
    mainmenus().insert(mainmenus().begin(), menu);
    for (const QPointer<QMenuBar>& bar : menubars()) {
        if (bar) {
            bar->insertMenu(bar->actions().value(0), menu);
            fitmenubar(bar->parentWidget());
        }
    }
    return handle(menu);
}

std::string menutitle(Menu m) {
    return qt(m)->property(TitleProperty).toString().toStdString();
}

int64_t menuitemcount(Menu m) {
    return static_cast<int64_t>(qt(m)->actions().size());
}

MenuItem menuitemat(Menu m, int64_t index) {
    const QList<QAction*> actions = qt(m)->actions();
    return index >= 0 && index < actions.size() ? handle(actions[index]) : nullptr;
}

void menuremoveitemat(Menu m, int64_t index) {
    if (MenuItem item = menuitemat(m, index)) {
        qt(m)->removeAction(qt(item)); // the item itself lives on, in no menu
    }
}

int64_t menuindexofitemwithtag(Menu m, int64_t tag) {
    const QList<QAction*> actions = qt(m)->actions();
    for (qsizetype i = 0; i < actions.size(); ++i) {
        if (menuitemtag(handle(actions[i])) == tag) {
            return static_cast<int64_t>(i);
        }
    }
    return -1;
}

MenuItem menuappenditem(Menu m, const std::string& title, int64_t tag,
                        const std::string& keyequivalent) {
    QAction* action = makeaction(qt(m), title, tag);
    setkeyequivalent(action, keyequivalent);
    qt(m)->addAction(action);
    return handle(action);
}

MenuItem menuappendcommand(Menu m, const std::string& title, const std::string& keyequivalent,
                           std::function<void()> command) {
    auto* action = new QAction(qt(m));
    settitle(action, title);
    setkeyequivalent(action, keyequivalent);
    QObject::connect(action, &QAction::triggered, action,
                     [command = std::move(command)] { command(); });
    qt(m)->addAction(action);
    return handle(action);
}

void menuitemsetenabled(MenuItem item, bool enabled) {
    qt(item)->setEnabled(enabled);
}

bool menuitemisenabled(MenuItem item) {
    return qt(item)->isEnabled();
}

MenuItem menuappendseparator(Menu m) {
    QAction* action = makeaction(qt(m), "", 0);
    action->setSeparator(true);
    qt(m)->addAction(action);
    return handle(action);
}

MenuItem makemenuitem(const std::string& title, int64_t tag) {
    QObject*& owner = state().looseitemowner;
    if (owner == nullptr) {
        owner = new QObject; // items in no menu live as long as the process
    }
    return handle(makeaction(owner, title, tag));
}

Menu menuofitem(MenuItem item) {
    for (QObject* object : qt(item)->associatedObjects()) {
        auto* menu = qobject_cast<QMenu*>(object);
        if (menu != nullptr && menu->actions().contains(qt(item))) {
            return handle(menu);
        }
    }
    return nullptr;
}

std::string menuitemtitle(MenuItem item) {
    return qt(item)->property(TitleProperty).toString().toStdString();
}

void menuitemsettitle(MenuItem item, const std::string& title) {
    settitle(qt(item), title);
}

int64_t menuitemtag(MenuItem item) {
    return static_cast<int64_t>(qt(item)->data().toLongLong());
}

std::string menuitemkeyequivalent(MenuItem item) {
    return qt(item)->property(KeyProperty).toString().toStdString();
}

uint64_t menuitemkeymodifiers(MenuItem item) {
    return qt(item)->shortcut().isEmpty() ? 0 : ShiftModifier | ControlModifier;
}

void menuitemperform(MenuItem item) {
    qt(item)->trigger();
}

} // namespace platform
