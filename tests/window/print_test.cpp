// "Печать…" and Ctrl+P through the real window: the preview opens on the card
// the window holds, and its PDF is saved under the card's name.
#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QTest>

#include "print/card_preview.h"
#include "support/modal.h"
#include "support/pdf_text.h"
#include "support/temp_folder.h"
#include "support/window_fixture.h"

class PrintTest : public QObject {
    Q_OBJECT

private:
    static void openPreview(ShownMainWindow& shown, bool byShortcut)
    {
        if (byShortcut)
            QTest::keyClick(shown.window.get(), Qt::Key_P, Qt::ControlModifier);
        else
            QTest::mouseClick(shown.require<QPushButton>("BtnPrint"), Qt::LeftButton);
    }

private slots:
    void previewSavesThePdf_data()
    {
        QTest::addColumn<bool>("byShortcut");
        QTest::newRow("Ctrl+P") << true;
        QTest::newRow("button") << false;
    }

    // A character the card cannot store prints as the save would store it.
    void previewSavesThePdf()
    {
        QFETCH(bool, byShortcut);
        TempFolder folder;
        ShownMainWindow shown;
        QVERIFY(shown.active);
        shown.require<QLineEdit>("Ed_name")->setText(QStringLiteral("Кафе é"));
        shown.require<QLineEdit>("Ed_fio")->setText(QStringLiteral("Сидоров Олег"));

        QString previewTitle;
        QString offered;
        bool maximised = false;
        QString savedLine;
        WhenModalOpens<QPrintPreviewDialog>([&](QPrintPreviewDialog* preview) {
            previewTitle = preview->windowTitle();
            maximised = preview->isMaximized();
            WhenModalOpens<QFileDialog>([&](QFileDialog* dialog) {
                offered = dialog->selectedFiles().value(0);
                static_cast<QDialog*>(dialog)->accept(); // as the dialog's own "Сохранить" does
            });
            preview->findChild<QAction*>(QStringLiteral("ActSavePdf"))->trigger();
            if (auto* line = preview->findChild<QLabel*>(QStringLiteral("LblPdfSaved")); line && line->isVisible())
                savedLine = line->text();
            preview->reject();
        });
        openPreview(shown, byShortcut);

        QCOMPARE(previewTitle, QStringLiteral("Печать карточки предприятия"));
        QVERIFY(maximised); // the test platform's screen is 800 × 600
        const QString expected = QStringLiteral("1_Кафе __2014_1 полугодие .pdf");
        // The user learns where the file went, whole.
        QCOMPARE(savedLine,
                 QStringLiteral("Сохранен файл: ") + QDir::toNativeSeparators(QFileInfo(expected).absoluteFilePath()));
        QCOMPARE(QFileInfo(offered).fileName(), expected);
        QCOMPARE(QFileInfo(offered).absolutePath(), QFileInfo(QStringLiteral(".")).absoluteFilePath());
        QVERIFY(QFileInfo::exists(expected));
        QCOMPARE(MissingInOrder(PdfText(expected), {"Название", "Кафе ?", "ФИО руководителя", "Сидоров Олег"}),
                 QString());
        QVERIFY(shown.messages.shown.empty());
    }

    void previewFitsTheScreen_data()
    {
        QTest::addColumn<QSize>("available"); // the screen less its task bar
        QTest::addColumn<QSize>("size");      // empty: maximised
        // 728 - 40 for the frame leaves 688 of the 800 wanted.
        QTest::newRow("1366 × 768") << QSize(1366, 728) << QSize(900, 688);
        QTest::newRow("1920 × 1080") << QSize(1920, 1040) << QSize(900, 800);
        QTest::newRow("1024 × 600") << QSize(1024, 560) << QSize();
        QTest::newRow("800 × 600") << QSize(800, 600) << QSize();
    }

    void previewFitsTheScreen()
    {
        QFETCH(QSize, available);
        QFETCH(QSize, size);
        QCOMPARE(PreviewSize(available), size);
    }

    // A count that is no number stops the print as it stops a save.
    void countThatIsNoNumberOpensNoPreview()
    {
        ShownMainWindow shown;
        shown.require<QLineEdit>("EdEduc")->clear();
        QVERIFY(!OpensModal([&] { QTest::mouseClick(shown.require<QPushButton>("BtnPrint"), Qt::LeftButton); }));
        QCOMPARE(shown.messages.shown.size(), std::size_t(1));
        QCOMPARE(shown.messages.shown[0].kind, RecordedMessage::Error);
        QVERIFY(shown.messages.shown[0].text.find("is not a valid integer value") != std::string::npos);
    }
};

QTEST_MAIN(PrintTest)
#include "print_test.moc"
