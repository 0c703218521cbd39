// Pages 3 to 6: the 70 count edits and the number trained, through the real
// widgets of the main window.
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

#include "support/typing.h"
#include "support/window_fixture.h"
#include "window/workplace_fields.h"

namespace {

// Names written out as they must read, against which the table's rule is checked.
const QStringList kPage3TotalThenPeriod{"EdN14M1V",  "EdN14W1V",  "EdN14J1V",  "EdN14181V",  "EdN14I1V",
                                        "EdN15M2V",  "EdN15W2V",  "EdN15J2V",  "EdN15182V",  "EdN15I2V",
                                        "EdN14M1OP", "EdN14W1OP", "EdN14J1OP", "EdN14181OP", "EdN14I1OP",
                                        "EdN15M2OP", "EdN15W2OP", "EdN15J2OP", "EdN15182OP", "EdN15I2OP"};
const QStringList kPage6TotalThenPeriod{"EdN16M4V",  "EdN16W4V",  "EdN16J4V",   "EdN16184V", "EdN16I4V", "EdN16M4OP",
                                        "EdN16W4OP", "EdN16J4OP", "EdN16184OP", "EdN16I4OP", "EdEduc"};

QStringList AllCountNames()
{
    QStringList names;
    for (const workplaces::CountField& field : workplaces::CountFields())
        names << QString::fromStdString(field.name);
    names << QString::fromLatin1(workplaces::kTrainedName);
    return names;
}

} // namespace

class WorkplacePagesTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ShownMainWindow> w;

    QLineEdit* edit(const QString& name) const { return w->find<QLineEdit>(name); }
    QString caption(const QString& editName) const
    {
        auto* label = w->find<QLabel>(QStringLiteral("lbl") + editName);
        return label && label->buddy() == edit(editName) ? label->text() : QStringLiteral("<no caption>");
    }

    // The focus path from `first` on, one Tab at a time.
    QStringList tabFrom(const QString& first, int stops) const
    {
        edit(first)->setFocus(Qt::TabFocusReason);
        QStringList visited{QApplication::focusWidget()->objectName()};
        for (int i = 1; i < stops; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        return visited;
    }

private slots:
    void init()
    {
        w = std::make_unique<ShownMainWindow>();
        QVERIFY(w->active);
    }
    void cleanup() { w.reset(); }

    void namesFollowThePattern()
    {
        QCOMPARE(workplaces::CountFields().size(), std::size_t{70});
        QCOMPARE(AllCountNames().mid(0, 10), kPage3TotalThenPeriod.mid(0, 5) + kPage3TotalThenPeriod.mid(10, 5));
        QCOMPARE(workplaces::CountFieldAt(3, workplaces::Total, workplaces::Under18).name, "EdN16183_2V");
        QCOMPARE(workplaces::CountFieldAt(3, workplaces::Period, workplaces::Under18).name, "EdN16183_2OP");
        QCOMPARE(workplaces::CountFieldAt(6, workplaces::Total, workplaces::Disabled).name, "EdN16I4V");
        QCOMPARE(workplaces::CountFieldAt(2, workplaces::Period, workplaces::Workplaces).name, "EdN16M3_1OP");
        // Field i of the table is class i/10, column (i/5)%2, quantity i%5.
        for (int i = 0; i < 70; ++i) {
            const workplaces::CountField& field = workplaces::CountFields()[i];
            QCOMPARE(10 * field.classIndex + 5 * field.side + field.quantity, i);
        }
        QStringList names = AllCountNames();
        names.removeDuplicates();
        QCOMPARE(names.size(), 71);
    }

    void everyCountEdit_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("page");
        for (const workplaces::CountField& field : workplaces::CountFields())
            QTest::newRow(field.name.c_str())
                << QString::fromStdString(field.name) << workplaces::PageOfClass(field.classIndex);
        QTest::newRow("EdEduc") << "EdEduc" << 6;
    }
    void everyCountEdit()
    {
        QFETCH(QString, name);
        QFETCH(int, page);
        QLineEdit* field = edit(name);
        QVERIFY(field);
        QCOMPARE(w->window->pages()->indexOf(field->parentWidget()), page);
        QCOMPARE(field->text(), QStringLiteral("0"));
        // The numeric filter: letters, signs, spaces and the decimal comma are refused.
        field->clear();
        TypeText(field, QStringLiteral("1a,.- 2Ж+3e"));
        QCOMPARE(field->text(), QStringLiteral("123"));
        QTest::keyClick(field, Qt::Key_Backspace);
        QCOMPARE(field->text(), QStringLiteral("12"));
    }

    void captions_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        // The captions whose punctuation or wording differs from their neighbours'.
        const QString workersTotal = QStringLiteral("количество работников, занятых на этих рабочих местах,  всего");
        const QString workersPeriod = QStringLiteral("количество работников, занятых на этих рабочих местах");
        QTest::newRow("class 1 period")
            << "EdN14M1OP"
            << "Количество рабочих мест, оценённых с классом условий труда 1 за отчетный период";
        QTest::newRow("class 2 period, with comma")
            << "EdN15M2OP"
            << "Количество рабочих мест, оценённых с классом условий труда 2, за отчетный период";
        QTest::newRow("class 3.4 total, no comma")
            << "EdN16M3_4V"
            << "Количество рабочих мест, оценённых с классом условий труда 3.4 всего";
        QTest::newRow("workers total") << "EdN14W1V" << workersTotal;
        QTest::newRow("workers period") << "EdN14W1OP" << workersPeriod;
        QTest::newRow("workers period, class 3.2") << "EdN16W3_2OP" << workersTotal;
        QTest::newRow("workers period, class 3.3") << "EdN16W3_3OP" << workersPeriod;
        QTest::newRow("workers period, class 3.4") << "EdN16W3_4OP" << workersTotal;
    }
    void captions()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QCOMPARE(caption(name), text);
    }

    void headingsOnEveryClassPage()
    {
        for (int page = 3; page <= 6; ++page) {
            QWidget* sheet = w->window->pages()->widget(page);
            QStringList headings;
            for (auto* label : sheet->findChildren<QLabel*>()) {
                if (label->font().bold() && label->font().italic())
                    headings << label->text();
            }
            QCOMPARE(headings, (QStringList{"ВСЕГО", "В ОТЧЕТНОМ ПЕРИОДЕ"}));
        }
    }

    void tabOrderOfAClassPage()
    {
        w->showPage(3);
        QCOMPARE(tabFrom(kPage3TotalThenPeriod.first(), kPage3TotalThenPeriod.size()), kPage3TotalThenPeriod);
    }

    void tabOrderOfTheLastPage()
    {
        w->showPage(6);
        QCOMPARE(tabFrom(kPage6TotalThenPeriod.first(), kPage6TotalThenPeriod.size()), kPage6TotalThenPeriod);
    }

    void tabOrderOfTheOtherClassPages_data()
    {
        QTest::addColumn<int>("page");
        QTest::newRow("3.1, 3.2") << 4;
        QTest::newRow("3.3, 3.4") << 5;
    }
    void tabOrderOfTheOtherClassPages()
    {
        QFETCH(int, page);
        w->showPage(page);
        QStringList expected;
        const std::vector<int> classes = workplaces::ClassesOnPage(page);
        for (int side : {workplaces::Total, workplaces::Period})
            for (int classIndex : classes)
                for (int quantity = 0; quantity < workplaces::kQuantityCount; ++quantity)
                    expected << QString::fromStdString(workplaces::CountFieldAt(classIndex, side, quantity).name);
        QCOMPARE(tabFrom(expected.first(), expected.size()), expected);
    }
};

QTEST_MAIN(WorkplacePagesTest)
#include "workplace_pages_test.moc"
