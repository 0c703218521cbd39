#pragma once
// The two classifiers the program carries, and everything the program says
// about each of them, written once.
#include <QString>

enum class ClassifierKind {
    Okved = 1, // ОК 029-2001, "ОКВЭД"
    Kdes2 = 2, // ОК 029-2014, "ОКВЭД2" / "КДЕС2"
};

struct ClassifierInfo {
    ClassifierKind kind;
    const char* dataFile;       // the table inside the program's resources
    const char* columns;        // the table's columns in stored order
    const char* choiceText;     // the picker's radio item
    const char* usedCaption;    // the card window's source label after a choice
    const char* headingMessage; // acceptance refused on a heading row
    int okvedSource;            // the classifier source the card stores
};

const ClassifierInfo& InfoOf(ClassifierKind kind);

inline QString Utf8(const char* text) { return QString::fromUtf8(text); }
