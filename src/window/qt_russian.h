#pragma once
// Qt's own Russian texts for the standard parts of the windows (edit context
// menus, calendar drop-downs, the file-open dialog), taken from the Qt
// installation. Without them the program starts all the same, in English.
class QCoreApplication;

// Installs the translation into `app` (the translator belongs to `app`);
// false when the Qt installation has no Russian texts.
bool InstallQtRussian(QCoreApplication& app);
