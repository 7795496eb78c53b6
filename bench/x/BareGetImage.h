#pragma once
// The floor of reading the screen on X: bare GetImage requests of the root window, each
// reply freed unread.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QRect>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdlib>

inline void bareGetImages(benchmark::State& state, const QRect& rect) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c) {
        state.SkipWithError("not on the xcb platform");
        return;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    for (auto _ : state) {
        xcb_get_image_reply_t* reply =
            xcb_get_image_reply(c,
                                xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, root, 0, 0,
                                              quint16(rect.width()), quint16(rect.height()), ~0u),
                                nullptr);
        if (!reply) {
            state.SkipWithError("GetImage failed");
            break;
        }
        benchmark::DoNotOptimize(reply);
        std::free(reply);
    }
}
