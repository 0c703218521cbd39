// Qt's own Russian texts, taken from the Qt installation.
#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTest>

#include "widgets/qt_russian.h"

class QtRussianTest : public QObject {
    Q_OBJECT
private slots:
    void qtSpeaksRussian()
    {
        const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
        if (!QFileInfo::exists(dir + QStringLiteral("/qtbase_ru.qm")))
            QSKIP("Qt's Russian translation is not installed");
        QVERIFY(InstallQtRussian(*qApp));
        QCOMPARE(QCoreApplication::translate("QLineEdit", "Select All"), QStringLiteral("Выделить всё"));
    }
};

QTEST_MAIN(QtRussianTest)
#include "qt_russian_test.moc"
