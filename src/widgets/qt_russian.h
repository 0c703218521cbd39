#pragma once
// Qt's own Russian texts for the standard parts of the windows (edit context
// menus, calendar drop-downs, the file-open dialog), taken from the Qt
// installation. Without them the program starts all the same, in English.
class QCoreApplication;
class QString;

// Installs the translation into `app` (the translator belongs to `app`);
// false when the Qt installation has no Russian texts.
bool InstallQtRussian(QCoreApplication& app);

// What every program of the card core does first: names the application
// (`title` is the caption of the message boxes), makes the Russian locale the
// default (month and day names in the calendars follow it; dates themselves
// are always DD.MM.YYYY) and installs Qt's Russian texts.
void SetUpRussianApplication(QCoreApplication& app, const QString& title);
