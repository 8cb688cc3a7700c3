// The toolkit's own text windows and plain windows (printer, console, pasteboard, main window,
// preferences) are seldom shown; their widgets cost the start some 10 ms. Each is made when the
// toolkit first touches it: until then its handles name parts of an outlet record, which makes the
// window's widgets on first use.
#include "platform/qtinternal.h"

#include "base/lasting.h"

#include <array>
#include <deque>
#include <functional>
#include <utility>

namespace platform {

namespace {

struct Outlet;

// One handle of an outlet: which of the window's parts it names.
struct OutletPart {
    Outlet* owner = nullptr;
    size_t index = 0;
};

struct Outlet {
    std::function<OutletWidgets()> make;
    OutletWidgets made;
    bool built = false;
    std::array<OutletPart, 4> parts; // window, scroll view, text view, text field

    QWidget* widget(size_t index) {
        if (!built) {
            built = true;
            made = make();
        }
        const std::array<QWidget*, 4> widgets{made.window, made.scroll, made.text, made.field};
        return widgets[index];
    }
};

// Main thread only, like every platform object; a deque keeps the handles' addresses.
std::deque<Outlet>& outlets() {
    return base::lasting<std::deque<Outlet>>();
}

const OutletPart* partof(const void* handle) {
    for (const Outlet& outlet : outlets()) {
        for (const OutletPart& part : outlet.parts) {
            if (&part == handle) {
                return &part;
            }
        }
    }
    return nullptr;
}

} // namespace

OutletHandles addoutlet(std::function<OutletWidgets()> make, bool scrolls, bool hasfield) {
    Outlet& outlet = outlets().emplace_back();
    outlet.make = std::move(make);
    for (size_t i = 0; i < outlet.parts.size(); ++i) {
        outlet.parts[i] = OutletPart{&outlet, i};
    }
    return OutletHandles{&outlet.parts[0], scrolls ? &outlet.parts[1] : nullptr,
                         scrolls ? &outlet.parts[2] : nullptr,
                         hasfield ? &outlet.parts[3] : nullptr};
}

QWidget* widgetof(const void* handle) {
    if (const OutletPart* part = partof(handle)) {
        return part->owner->widget(part->index);
    }
    return static_cast<QWidget*>(const_cast<void*>(handle));
}

void* handleof(QWidget* widget) {
    for (Outlet& outlet : outlets()) {
        if (!outlet.built) {
            continue;
        }
        const std::array<const QWidget*, 4> widgets{outlet.made.window, outlet.made.scroll,
                                                    outlet.made.text, outlet.made.field};
        for (size_t i = 0; i < widgets.size(); ++i) {
            if (widgets[i] == widget && widget != nullptr) {
                return &outlet.parts[i];
            }
        }
    }
    return widget;
}

} // namespace platform
