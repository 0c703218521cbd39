#pragma once
// Installs a character filter on a field of these pages. Tab moves the focus
// before the field sees any typing, so it never reaches the filter: a field
// that takes digits only can still be left with Tab.
#include "window/key_filters.h"

void InstallTypingFilter(QWidget* field, CharFilter filter);
