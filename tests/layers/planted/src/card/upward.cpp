// Planted: the card core reaching up into the window.
#include "card/card_record.h"
#include "window/main_window.h"
