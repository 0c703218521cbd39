#pragma once
// Drives a modal dialog while it is open: `act` runs on the active modal
// widget as soon as one appears (polled from the event loop).
#include <functional>
#include <memory>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>

// Returns the watch's off switch: a watch for a dialog that should not open
// is switched off once the test has waited for it, or on a slow machine it
// would still be polling when a later step opens a dialog, and take that one.
inline std::shared_ptr<bool> WhenModalOpens(std::function<void(QWidget*)> act, int triesLeft = 200,
                                            std::shared_ptr<bool> off = std::make_shared<bool>(false))
{
    QTimer::singleShot(10, [act = std::move(act), triesLeft, off]() mutable {
        if (*off)
            return;
        if (QWidget* modal = QApplication::activeModalWidget()) {
            act(modal);
        } else if (triesLeft > 0) {
            WhenModalOpens(std::move(act), triesLeft - 1, off);
        }
    });
    return off;
}

// The same for the first modal widget of type `Dialog` (a dialog opened from
// within another modal one).
template <class Dialog>
void WhenModalOpens(std::function<void(Dialog*)> act, int triesLeft = 200)
{
    QTimer::singleShot(10, [act = std::move(act), triesLeft]() mutable {
        if (auto* modal = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            act(modal);
        } else if (triesLeft > 0) {
            WhenModalOpens<Dialog>(std::move(act), triesLeft - 1);
        }
    });
}

// Whether `act` opens a modal widget within `ms` milliseconds (one that opens
// is closed, so that `act` returns).
inline bool OpensModal(const std::function<void()>& act, int ms = 300)
{
    // Shared: the polling may outlive this call by a try or two.
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
