#include "window/okved_field.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include "widgets/key_filters.h"

namespace {

class PickerTriggers : public QObject {
public:
    PickerTriggers(QLineEdit* field, std::function<void()> open)
        : QObject(field)
        , open_(std::move(open))
    {
    }

    void fire()
    {
        if (opening_)
            return;
        opening_ = true;
        open_();
        opening_ = false;
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::FocusIn:
            switch (static_cast<QFocusEvent*>(event)->reason()) {
            case Qt::TabFocusReason:
            case Qt::BacktabFocusReason:
            case Qt::ShortcutFocusReason: fire(); break;
            case Qt::MouseFocusReason:
                focusByMouse_ = true; // the click's release opens it
                break;
            default: break; // the window regaining the focus, a page switch, ...
            }
            break;
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton || focusByMouse_) {
                focusByMouse_ = false;
                fire();
            }
            break;
        default: break;
        }
        return false;
    }

private:
    std::function<void()> open_;
    bool opening_ = false;
    bool focusByMouse_ = false;
};

} // namespace

void InstallPickerTriggers(QLineEdit* field, std::function<void()> open)
{
    auto* triggers = new PickerTriggers(field, std::move(open));
    field->installEventFilter(triggers);
    // Every typed character is swallowed and opens the picker; Tab still
    // moves on, as it is navigation rather than typing.
    InstallCharFilter(field, [triggers](QChar typed) -> std::optional<QChar> {
        if (typed.unicode() == 9)
            return typed;
        triggers->fire();
        return std::nullopt;
    });
}
