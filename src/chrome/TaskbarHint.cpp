#include "TaskbarHint.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>

#ifdef QR_HAVE_XCB
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#endif

namespace {

#ifdef QR_HAVE_XCB
xcb_atom_t atom(xcb_connection_t* connection, const char* name)
{
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t value = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return value;
}
#endif

// Written while the window is still unmapped: Qt keeps the states it finds there
// when it maps the window, and the window manager reads them on the map.
void skipTaskbar([[maybe_unused]] QWidget* window)
{
#ifdef QR_HAVE_XCB
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return;
    xcb_connection_t* connection = x11->connection();
    const xcb_atom_t states[] = {atom(connection, "_NET_WM_STATE_SKIP_TASKBAR"),
                                 atom(connection, "_NET_WM_STATE_SKIP_PAGER")};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, xcb_window_t(window->winId()),
                        atom(connection, "_NET_WM_STATE"), XCB_ATOM_ATOM, 32, 2, states);
    xcb_flush(connection);
#endif
}

} // namespace

void TaskbarHint::keepOut(QWidget* window)
{
    window->installEventFilter(new TaskbarHint(window));
}

bool TaskbarHint::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show)
        skipTaskbar(static_cast<QWidget*>(watched));
    return QObject::eventFilter(watched, event);
}
