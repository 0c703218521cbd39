#include "classifier/classifier_kind.h"

namespace {

constexpr ClassifierInfo kOkved{ClassifierKind::Okved,
                                ":/classifiers/okved2001.tsv",
                                "ID RAZDEL NAME OKVED",
                                "ОКВЭД",
                                "Использован ОКВЭД",
                                "Необходимо выбрать конкретный код ОКВЭД!",
                                1};
constexpr ClassifierInfo kKdes2{ClassifierKind::Kdes2,
                                ":/classifiers/kdes2.tsv",
                                "ID RAZDEL OKVED NAME ABOUT",
                                "ОКВЭД2",
                                "Использован КДЕС2",
                                "Необходимо выбрать конкретный код КДЕС2!",
                                2};

} // namespace

const ClassifierInfo& InfoOf(ClassifierKind kind) { return kind == ClassifierKind::Okved ? kOkved : kKdes2; }
