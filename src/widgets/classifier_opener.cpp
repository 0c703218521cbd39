#include "widgets/classifier_opener.h"

namespace {
ClassifierOpener& Opener()
{
    static ClassifierOpener opener;
    return opener;
}
} // namespace

void SetClassifierOpener(ClassifierOpener opener) { Opener() = std::move(opener); }

void OpenClassifierPicker(QWidget* parent, const CodeTarget& target)
{
    if (Opener())
        Opener()(parent, target);
}
