#include "widgets/qt_russian.h"

#include <QGuiApplication>
#include <QLocale>
#include <QString>

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool InstallQtRussian(QCoreApplication& app)
{
    auto* translator = new QTranslator(&app);
    if (!translator->load(QLocale(QLocale::Russian, QLocale::Russia), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

void SetUpRussianApplication(QCoreApplication& app, const QString& title)
{
    QGuiApplication::setApplicationDisplayName(QString());
    QCoreApplication::setApplicationName(title);
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    InstallQtRussian(app);
}
