#include "widgets/key_filters.h"

#include "card/cp1251.h"
#include "widgets/arriving_text.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

namespace {

// The character a key event types, or nullopt for keys that type none.
// Ctrl+C, Ctrl+V, Ctrl+X and Ctrl+Z type the control characters 3, 22, 24
// and 26, as they do on Windows, so a filter that refuses them also refuses
// the clipboard key. Otherwise the typed text is judged whatever produced it:
// Windows reports AltGr as Ctrl+Alt. Alt alone chooses a menu and types nothing.
std::optional<QChar> TypedChar(const QKeyEvent& key)
{
    switch (key.key()) {
    case Qt::Key_Backspace: return QChar(8);
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return std::nullopt; // focus movement, never typing
    case Qt::Key_Return:
    case Qt::Key_Enter: return QChar(13);
    case Qt::Key_Delete: return std::nullopt;
    default: break;
    }
    const Qt::KeyboardModifiers chord = key.modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    if (chord == Qt::ControlModifier) {
        switch (key.key()) {
        case Qt::Key_C: return QChar(3);
        case Qt::Key_V: return QChar(22);
        case Qt::Key_X: return QChar(24);
        case Qt::Key_Z: return QChar(26);
        default: break;
        }
    }
    if (chord == Qt::AltModifier)
        return std::nullopt;
    const QString text = key.text();
    if (text.isEmpty() || text.at(0).unicode() < 32 || text.at(0).unicode() == 127)
        return std::nullopt;
    return text.at(0);
}

bool IsMoveAway(Qt::FocusReason reason)
{
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

class CharFilterObject : public QObject {
public:
    CharFilterObject(QWidget* field, CharFilter filter)
        : QObject(field)
        , filter_(std::move(filter))
    {
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || forwarding_)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        const std::optional<QChar> typed = TypedChar(*key);
        if (!typed)
            return false;
        const std::optional<QChar> passed = filter_(*typed);
        if (!passed)
            return true;
        if (*passed == *typed)
            return false;
        // The filter changed the character: type the new one instead.
        QKeyEvent replacement(QEvent::KeyPress, 0, key->modifiers(), QString(*passed));
        forwarding_ = true;
        QCoreApplication::sendEvent(watched, &replacement);
        forwarding_ = false;
        return true;
    }

private:
    CharFilter filter_;
    bool forwarding_ = false;
};

class KeyDownFilterObject : public QObject {
public:
    KeyDownFilterObject(QWidget* field, KeyDownFilter filter)
        : QObject(field)
        , filter_(std::move(filter))
    {
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        return filter_(static_cast<QKeyEvent*>(event)->key());
    }

private:
    KeyDownFilter filter_;
};

class FocusReactionObject : public QObject {
public:
    FocusReactionObject(QWidget* field, std::function<void()> onExit, std::function<void(FocusVia)> onEnter)
        : QObject(field)
        , onExit_(std::move(onExit))
        , onEnter_(std::move(onEnter))
    {
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::FocusOut && onExit_) {
            if (IsMoveAway(static_cast<QFocusEvent*>(event)->reason()))
                onExit_();
        } else if (event->type() == QEvent::FocusIn && onEnter_) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (IsMoveAway(reason))
                onEnter_(reason == Qt::MouseFocusReason ? FocusVia::Mouse : FocusVia::Keyboard);
        }
        return false;
    }

private:
    std::function<void()> onExit_;
    std::function<void(FocusVia)> onEnter_;
};

} // namespace

void InstallCharFilter(QWidget* field, CharFilter filter)
{
    field->installEventFilter(new CharFilterObject(field, std::move(filter)));
}

void InstallKeyDownFilter(QWidget* field, KeyDownFilter filter)
{
    field->installEventFilter(new KeyDownFilterObject(field, std::move(filter)));
}

void OnExit(QWidget* field, std::function<void()> reaction)
{
    field->installEventFilter(new FocusReactionObject(field, std::move(reaction), {}));
}

void OnEnter(QWidget* field, std::function<void(FocusVia)> reaction)
{
    field->installEventFilter(new FocusReactionObject(field, {}, std::move(reaction)));
}

std::optional<QChar> DigitsAndBackspace(QChar typed)
{
    if (typed.unicode() == 8 || AsciiDigit(typed))
        return typed;
    return std::nullopt;
}

bool AsciiDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

void InstallDigitsOnly(QLineEdit* field)
{
    InstallCharFilter(field, DigitsAndBackspace);
    DropRefusedOnArrival(field, AsciiDigit);
}

std::optional<QChar> CardCharacter(QChar typed)
{
    if (InCardCodePage(typed))
        return typed;
    return std::nullopt;
}

bool InCardCodePage(QChar c) { return card::InCp1251(c.unicode()); }

void InstallCardText(QLineEdit* field)
{
    InstallCharFilter(field, CardCharacter);
    DropRefusedOnArrival(field, InCardCodePage);
}
