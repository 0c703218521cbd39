#include "window/typing_filter.h"

#include <utility>

void InstallTypingFilter(QWidget* field, CharFilter filter)
{
    InstallCharFilter(field, [filter = std::move(filter)](QChar typed) -> std::optional<QChar> {
        if (typed.unicode() == 9)
            return typed;
        return filter(typed);
    });
}
