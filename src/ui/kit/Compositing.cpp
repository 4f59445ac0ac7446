#include "ui/kit/Compositing.h"

#include <QGuiApplication>

#if defined(LEAFLOW_HAS_XCB) && QT_CONFIG(xcb)
#include <QByteArray>
#include <xcb/xcb.h>
#define LEAFLOW_ASK_X11 1
#endif

namespace {

std::optional<bool>& chosen()
{
    static std::optional<bool> value;
    return value;
}

#ifdef LEAFLOW_ASK_X11
// A compositing manager owns the selection _NET_WM_CM_S<n> of each screen it composites.
bool x11Composites()
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection) {
        return false;
    }
    const int screens = xcb_setup_roots_length(xcb_get_setup(connection));
    for (int screen = 0; screen < screens; ++screen) {
        const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(screen);
        xcb_intern_atom_reply_t* atom =
            xcb_intern_atom_reply(connection,
                                  xcb_intern_atom(connection, 1, static_cast<uint16_t>(name.size()),
                                                  name.constData()),
                                  nullptr);
        if (!atom) {
            continue;
        }
        xcb_get_selection_owner_reply_t* owner =
            atom->atom == XCB_NONE
                ? nullptr
                : xcb_get_selection_owner_reply(connection,
                                                xcb_get_selection_owner(connection, atom->atom),
                                                nullptr);
        const bool owned = owner && owner->owner != XCB_NONE;
        free(owner); // NOLINT(cppcoreguidelines-no-malloc): xcb replies are malloc'ed
        free(atom);  // NOLINT(cppcoreguidelines-no-malloc)
        if (owned) {
            return true;
        }
    }
    return false;
}
#endif

} // namespace

namespace Compositing {

bool active()
{
    if (chosen()) {
        return *chosen();
    }
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        // Wayland always composites; the offscreen platform draws into images.
        return true;
    }
#ifdef LEAFLOW_ASK_X11
    return x11Composites();
#else
    // Built without xcb we cannot ask; the opaque tip is right on every X desktop.
    return false;
#endif
}

void setOverride(std::optional<bool> composited)
{
    chosen() = composited;
}

} // namespace Compositing
