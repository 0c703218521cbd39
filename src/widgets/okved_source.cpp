#include "widgets/okved_source.h"

#include <QVariant>
#include <QWidget>

namespace {
constexpr char kTagProperty[] = "tag";
}

int OkvedSourceOf(const QWidget* okvedField) { return okvedField->property(kTagProperty).toInt(); }

void SetOkvedSource(QWidget* okvedField, int source) { okvedField->setProperty(kTagProperty, source); }
