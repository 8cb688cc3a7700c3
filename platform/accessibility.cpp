// What a screen reader reads of a graphic view. A view with a text block is a terminal's text:
// its lines, the caret at the text cursor, changes announced as they are painted. A view without
// text is a picture with a name (its window's title) and the description a program gives it.
// Nothing here runs unless Qt's bridge to the accessibility bus is on.
#include "platform/qtinternal.h"
#include "platform/textchange.h"
#include "platform/widgets.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include <algorithm>

namespace platform {

namespace {

// The view's text as a reader was last told of it.
struct ShownText {
    bool hastext = false;
    QString characters;
    int caret = 0;
    bool editing = false;
};

ShownText currenttext(const GraphicView* view) {
    ShownText shown;
    ViewText text;
    const Handlers& h = handlers();
    if (h.viewtext && h.viewtext(view->number(), text)) {
        shown.hastext = true;
        shown.characters =
            QString::fromUtf16(text.text.data(), static_cast<qsizetype>(text.text.size()));
        shown.caret = static_cast<int>(std::clamp<int64_t>(text.caret, 0, shown.characters.size()));
        shown.editing = text.editing;
    }
    return shown;
}

std::u16string_view utf16(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<size_t>(text.size())};
}

void send(QAccessibleEvent&& event) {
    QAccessible::updateAccessibility(&event);
}

class ViewAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    explicit ViewAccessible(GraphicView* view)
        : QAccessibleWidget(view, QAccessible::Terminal), shown(currenttext(view)) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface && shown.hastext) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }
    QAccessible::Role role() const override {
        return shown.hastext ? QAccessible::Terminal : QAccessible::Graphic;
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.multiLine = shown.hastext;
        state.readOnly = shown.hastext && !shown.editing;
        state.editable = shown.editing;
        return state;
    }
    QString text(QAccessible::Text which) const override {
        if (which == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            return widget()->window()->windowTitle();
        }
        return QAccessibleWidget::text(which);
    }

    // Read-only text: no selection, the caret is the program's.
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return shown.caret; }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override {
        return shown.characters.mid(start, end - start);
    }
    int characterCount() const override { return static_cast<int>(shown.characters.size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* start, int* end) const override {
        *start = *end = offset;
        return {};
    }

    void announce();

  private:
    void announcetext(const ShownText& before);

    ShownText shown;
};

void ViewAccessible::announce() {
    const ShownText before = std::exchange(shown, currenttext(static_cast<GraphicView*>(widget())));
    announcetext(before);
    if (before.editing != shown.editing) {
        QAccessible::State changed;
        changed.readOnly = changed.editable = true;
        send(QAccessibleStateChangeEvent(widget(), changed));
    }
    if (shown.hastext && before.caret != shown.caret) {
        send(QAccessibleTextCursorEvent(widget(), shown.caret));
    }
}

void ViewAccessible::announcetext(const ShownText& before) {
    const TextChange change = textchange(utf16(before.characters), utf16(shown.characters));
    if (change.empty()) {
        return;
    }
    const auto position = static_cast<qsizetype>(change.position);
    send(QAccessibleTextUpdateEvent(
        widget(), static_cast<int>(position),
        before.characters.mid(position, static_cast<qsizetype>(change.removed)),
        shown.characters.mid(position, static_cast<qsizetype>(change.inserted))));
}

// Views, and the toolkit's windows as the frames a reader names when they come to the front (a
// plain top-level widget would be a filler).
QAccessibleInterface* viewaccessible(const QString&, QObject* object) {
    if (auto* view = dynamic_cast<GraphicView*>(object)) {
        return new ViewAccessible(view);
    }
    if (auto* window = dynamic_cast<ToolkitWindow*>(object)) {
        return new QAccessibleWidget(window, QAccessible::Window);
    }
    return nullptr;
}

} // namespace

void installviewaccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(viewaccessible);
        return true;
    }();
    (void)installed;
}

void announceviewtext(GraphicView* view) {
    if (auto* accessible =
            dynamic_cast<ViewAccessible*>(QAccessible::queryAccessibleInterface(view))) {
        accessible->announce();
    }
}

void viewsetdescription(View v, const std::string& description) {
    QWidget* view = qt(v);
    view->setAccessibleDescription(QString::fromStdString(description));
    if (QAccessible::isActive()) {
        send(QAccessibleEvent(view, QAccessible::DescriptionChanged));
    }
}

} // namespace platform
