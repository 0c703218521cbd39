#pragma once
// Drives a modal dialog while it is open: `act` runs on the active modal
// widget as soon as one appears (polled from the event loop).
#include <functional>
#include <memory>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>

// Watches for the first active modal widget of type `Dialog` (a dialog
// opened from within another modal one, or any modal widget). Returns the
// watch's off switch: a watch for a dialog that should not open is switched
// off once the test has waited for it, or on a slow machine it would still be
// polling when a later step opens a dialog, and take that one.
template <class Dialog>
std::shared_ptr<bool> WhenModalOpens(std::function<void(Dialog*)> act, int triesLeft = 200,
                                     std::shared_ptr<bool> off = std::make_shared<bool>(false))
{
    QTimer::singleShot(10, [act = std::move(act), triesLeft, off]() mutable {
        if (*off)
            return;
        if (auto* modal = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            act(modal);
        } else if (triesLeft > 0) {
            WhenModalOpens<Dialog>(std::move(act), triesLeft - 1, off);
        }
    });
    return off;
}

// The same for any modal widget.
inline std::shared_ptr<bool> WhenModalOpens(std::function<void(QWidget*)> act, int triesLeft = 200)
{
    return WhenModalOpens<QWidget>(std::move(act), triesLeft);
}

// Whether `act` opens a modal widget within `ms` milliseconds (one that opens
// is closed, so that `act` returns).
inline bool OpensModal(const std::function<void()>& act, int ms = 300)
{
    // Shared: a try already queued may still run after this call (and stop
    // at the off switch).
    auto opened = std::make_shared<bool>(false);
    const auto watch = WhenModalOpens(
        [opened](QWidget* modal) {
            *opened = true;
            modal->close();
        },
        ms / 10);
    act();
    QTest::qWait(ms);
    *watch = true;
    return *opened;
}
