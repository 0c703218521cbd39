// The classifier tables as compiled into the program: content, structure
// and the operations the picker uses.
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include "classifier/classifier_rows.h"
#include "classifier/classifier_table.h"

Q_DECLARE_METATYPE(ClassifierKind)

namespace {

const QString kMiss = QStringLiteral("<miss>");

struct KindCounts {
    int sections, subsections, nn, nnN, nnNN, nnNNN, nnNNNN, rows;
};

} // namespace

class ClassifierTablesTest : public QObject {
    Q_OBJECT

private slots:
    void locate_data();
    void locate();
    void locateIsOnWholeCaseSensitiveValues();
    void firstRowIsHeadingInBothTables_data();
    void firstRowIsHeadingInBothTables();
    void columnNamesIgnoreCase();
    void closeKeepsRowsAndReopenGoesToFirstRow_data();
    void closeKeepsRowsAndReopenGoesToFirstRow();
    void movesStayWithinTheTable();
    void boundViewsAreNotified();
    void knownRows_data();
    void knownRows();
    void structuralRulesHoldForEveryRow_data();
    void structuralRulesHoldForEveryRow();
    void rowCountsByKind_data();
    void rowCountsByKind();
    void notesHoldCrLfLineBreaks();
    void tablesAreLoadedOnceAndShared();
    void tsvReading_data();
    void tsvReading();
    void columnsArrangedByName();
    void headingRowsAreBoldAndNamesHaveTooltips();
};

void ClassifierTablesTest::locate_data()
{
    QTest::addColumn<ClassifierKind>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("foundName"); // kMiss: nothing found, current row stays

    const auto okved = ClassifierKind::Okved;
    const auto kdes2 = ClassifierKind::Kdes2;
    QTest::newRow("OKVED 01 is the code row, not heading A")
        << okved << "01"
        << "Сельское хозяйство, охота и предоставление услуг в этих областях";
    QTest::newRow("OKVED 10") << okved << "10"
                              << "Добыча каменного угля, бурого угля и торфа";
    QTest::newRow("KDES2 10") << kdes2 << "10"
                              << "Производство пищевых продуктов";
    QTest::newRow("KDES2 01.11.11") << kdes2 << "01.11.11"
                                    << "Выращивание пшеницы";
    QTest::newRow("OKVED has no 01.11.11") << okved << "01.11.11" << kMiss;
    for (auto kind : {okved, kdes2}) {
        const char* table = kind == okved ? "OKVED" : "KDES2";
        QTest::addRow("%s 01 and a dot", table) << kind << "01." << kMiss;
        QTest::addRow("%s single digit", table) << kind << "0" << kMiss;
        QTest::addRow("%s two dots", table) << kind << "01.." << kMiss;
        QTest::addRow("%s prefix of a code", table) << kind << "01.11." << kMiss;
        QTest::addRow("%s nine characters", table) << kind << "01.11.111" << kMiss;
        QTest::addRow("%s empty text", table) << kind << "" << kMiss;
    }
}

void ClassifierTablesTest::locate()
{
    QFETCH(ClassifierKind, kind);
    QFETCH(QString, text);
    QFETCH(QString, foundName);

    ClassifierTable table(ClassifierRowsOf(kind));
    table.moveTo(7); // somewhere away from the first row
    const bool found = table.locate(u"okved", text);
    if (foundName == kMiss) {
        QVERIFY(!found);
        QCOMPARE(table.currentRow(), 7);
    } else {
        QVERIFY(found);
        QCOMPARE(table.value(u"okved"), text);
        QCOMPARE(table.value(u"name"), foundName);
    }
}

void ClassifierTablesTest::locateIsOnWholeCaseSensitiveValues()
{
    ClassifierTable table(ClassifierRowsOf(ClassifierKind::Okved));
    QVERIFY(table.locate(u"OKVED", QStringLiteral("CA")));
    QCOMPARE(table.value(u"name"), QStringLiteral("Добыча топливно-энергетических полезных ископаемых"));
    QVERIFY(!table.locate(u"okved", QStringLiteral("ca")));
    QVERIFY(table.locate(u"okved", QStringLiteral("C"))); // not its prefix-sharing CA
    QCOMPARE(table.currentRow(), 84);
    // The first row in table order wins: RAZDEL A heads many rows.
    table.last();
    QVERIFY(table.locate(u"razdel", QStringLiteral("A")));
    QCOMPARE(table.currentRow(), 0);
    // A column the table does not have finds nothing and moves nothing.
    QVERIFY(!table.locate(u"about", QStringLiteral("")));
    QCOMPARE(table.currentRow(), 0);
}

void ClassifierTablesTest::firstRowIsHeadingInBothTables_data()
{
    QTest::addColumn<ClassifierKind>("kind");
    QTest::addColumn<QString>("name");
    QTest::newRow("OKVED") << ClassifierKind::Okved << "Сельское хозяйство, охота и лесное хозяйство";
    QTest::newRow("KDES2") << ClassifierKind::Kdes2 << "СЕЛЬСКОЕ, ЛЕСНОЕ ХОЗЯЙСТВО, ОХОТА, РЫБОЛОВСТВО И РЫБОВОДСТВО";
}

void ClassifierTablesTest::firstRowIsHeadingInBothTables()
{
    QFETCH(ClassifierKind, kind);
    QFETCH(QString, name);
    ClassifierTable table(ClassifierRowsOf(kind));
    QVERIFY(table.isOpen());
    QCOMPARE(table.currentRow(), 0);
    QCOMPARE(table.value(u"okved"), QStringLiteral("A"));
    QCOMPARE(table.value(u"razdel"), QStringLiteral("A"));
    QCOMPARE(table.value(u"NAME"), name);
}

void ClassifierTablesTest::columnNamesIgnoreCase()
{
    ClassifierTable table(ClassifierRowsOf(ClassifierKind::Kdes2));
    table.moveTo(5);
    QCOMPARE(table.value(u"okved"), QStringLiteral("01.11.11"));
    QCOMPARE(table.value(u"OKVED"), table.value(u"okved"));
    QCOMPARE(table.value(u"OkVeD"), table.value(u"okved"));
    QCOMPARE(table.value(u"Razdel"), QStringLiteral("A"));
    QCOMPARE(table.value(u"id"), QStringLiteral("6"));
    QCOMPARE(table.value(u"no such column"), QString());
}

void ClassifierTablesTest::closeKeepsRowsAndReopenGoesToFirstRow_data()
{
    QTest::addColumn<ClassifierKind>("kind");
    QTest::newRow("OKVED") << ClassifierKind::Okved;
    QTest::newRow("KDES2") << ClassifierKind::Kdes2;
}

void ClassifierTablesTest::closeKeepsRowsAndReopenGoesToFirstRow()
{
    QFETCH(ClassifierKind, kind);
    ClassifierTable table(ClassifierRowsOf(kind));
    const int size = table.rowCount();
    table.last();
    QCOMPARE(table.value(u"okved"), QStringLiteral("99.00"));

    table.close();
    QVERIFY(!table.isOpen());
    QCOMPARE(table.currentRow(), -1);
    QCOMPARE(table.rowCount(), 0); // a closed table shows no rows
    QCOMPARE(table.value(u"okved"), QString());
    table.next(); // moves nothing while closed
    QVERIFY(!table.locate(u"okved", QStringLiteral("01")));

    table.open();
    QCOMPARE(table.rowCount(), size);
    QCOMPARE(table.currentRow(), 0);
    QCOMPARE(table.value(u"okved"), QStringLiteral("A"));

    // Opening an open table keeps its current row.
    table.moveTo(3);
    table.open();
    QCOMPARE(table.currentRow(), 3);
}

void ClassifierTablesTest::movesStayWithinTheTable()
{
    ClassifierTable table(ClassifierRowsOf(ClassifierKind::Okved));
    table.prior();
    QCOMPARE(table.currentRow(), 0);
    table.next();
    table.next();
    QCOMPARE(table.currentRow(), 2);
    table.prior();
    QCOMPARE(table.currentRow(), 1);
    table.last();
    QCOMPARE(table.currentRow(), 1874);
    table.next();
    QCOMPARE(table.currentRow(), 1874);
    table.first();
    QCOMPARE(table.currentRow(), 0);
    table.moveTo(100000);
    QCOMPARE(table.currentRow(), 1874);
    table.moveTo(-5);
    QCOMPARE(table.currentRow(), 0);
}

void ClassifierTablesTest::boundViewsAreNotified()
{
    ClassifierTable table(ClassifierRowsOf(ClassifierKind::Okved));
    QSignalSpy moved(&table, &ClassifierTable::currentRowChanged);
    QSignalSpy opened(&table, &ClassifierTable::openChanged);
    QSignalSpy reset(&table, &QAbstractItemModel::modelReset);

    table.next();
    table.next();    // each move is told
    table.moveTo(2); // no move, nothing told
    QVERIFY(!table.locate(u"okved", QStringLiteral("0")));
    QCOMPARE(moved.count(), 2);
    QCOMPARE(moved.last().at(0).toInt(), 2);

    table.close();
    table.close();
    table.open();
    QCOMPARE(opened.count(), 2);
    QCOMPARE(opened.at(0).at(0).toBool(), false);
    QCOMPARE(opened.at(1).at(0).toBool(), true);
    QCOMPARE(reset.count(), 2);
    QCOMPARE(moved.last().at(0).toInt(), 0);
}

void ClassifierTablesTest::knownRows_data()
{
    QTest::addColumn<ClassifierKind>("kind");
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("razdel");
    QTest::addColumn<QString>("okved");
    QTest::addColumn<QString>("name");
    const auto okved = ClassifierKind::Okved;
    const auto kdes2 = ClassifierKind::Kdes2;
    QTest::newRow("OKVED 1") << okved << 1 << "A"
                             << "A"
                             << "Сельское хозяйство, охота и лесное хозяйство";
    QTest::newRow("OKVED 3") << okved << 3 << "A"
                             << "01.1"
                             << "Растениеводство";
    QTest::newRow("OKVED 5") << okved << 5 << "A"
                             << "01.11.1"
                             << "Выращивание зерновых и зернобобовых культур";
    QTest::newRow("OKVED 85") << okved << 85 << "C"
                              << "C"
                              << "Добыча полезных ископаемых";
    QTest::newRow("OKVED 86") << okved << 86 << "CA"
                              << "CA"
                              << "Добыча топливно-энергетических полезных ископаемых";
    QTest::newRow("OKVED 91") << okved << 91 << "CA"
                              << "10.10.11"
                              << "Добыча каменного угля открытым способом";
    QTest::newRow("OKVED 1875") << okved << 1875 << "Q"
                                << "99.00"
                                << "Деятельность экстерриториальных организаций";
    QTest::newRow("KDES2 2") << kdes2 << 2 << "A"
                             << "01"
                             << "Растениеводство и животноводство, охота и предоставление соответствующих "
                                "услуг в этих областях";
    QTest::newRow("KDES2 5") << kdes2 << 5 << "A"
                             << "01.11.1"
                             << "Выращивание зерновых культур";
    QTest::newRow("KDES2 286") << kdes2 << 286 << "C"
                               << "10"
                               << "Производство пищевых продуктов";
    QTest::newRow("KDES2 2701") << kdes2 << 2701 << "U"
                                << "99.00"
                                << "Деятельность экстерриториальных организаций и органов";
}

void ClassifierTablesTest::knownRows()
{
    QFETCH(ClassifierKind, kind);
    QFETCH(int, id);
    QFETCH(QString, razdel);
    QFETCH(QString, okved);
    QFETCH(QString, name);
    ClassifierTable table(ClassifierRowsOf(kind));
    QVERIFY(table.locate(u"id", QString::number(id)));
    QCOMPARE(table.value(u"razdel"), razdel);
    QCOMPARE(table.value(u"okved"), okved);
    QCOMPARE(table.value(u"name"), name);
}

void ClassifierTablesTest::structuralRulesHoldForEveryRow_data()
{
    QTest::addColumn<ClassifierKind>("kind");
    QTest::addColumn<QStringList>("columns");
    QTest::newRow("OKVED") << ClassifierKind::Okved << QStringList{"ID", "RAZDEL", "NAME", "OKVED"};
    QTest::newRow("KDES2") << ClassifierKind::Kdes2 << QStringList{"ID", "RAZDEL", "OKVED", "NAME", "ABOUT"};
}

void ClassifierTablesTest::structuralRulesHoldForEveryRow()
{
    QFETCH(ClassifierKind, kind);
    QFETCH(QStringList, columns);
    const ClassifierRows& rows = ClassifierRowsOf(kind);
    QStringList names;
    for (int c = 0; c < rows.columnCount(); ++c)
        names << rows.columnName(c);
    QCOMPARE(names, columns);

    static const QRegularExpression codeForm(QStringLiteral("^\\d\\d(\\.\\d(\\d(\\.\\d\\d?)?)?)?$"));
    static const QRegularExpression sectionForm(QStringLiteral("^[A-Z]$"));
    static const QRegularExpression subsectionForm(QStringLiteral("^[A-Z]{2}$"));
    const int id = rows.columnIndex(u"ID");
    const int razdel = rows.columnIndex(u"RAZDEL");
    const int okved = rows.columnIndex(u"OKVED");
    const int name = rows.columnIndex(u"NAME");

    QSet<QString> codes;
    QString heading;      // the nearest heading row above
    QString section;      // the section letter in force
    QString previousCode; // the code row before, under the same heading
    int previousId = 0;
    for (int row = 0; row < rows.rowCount(); ++row) {
        const QString code = rows.value(row, okved);
        const QString where = QStringLiteral("row %1 (%2)").arg(row + 1).arg(code);
        QVERIFY2(rows.value(row, id).toInt() > previousId, qPrintable(where));
        previousId = rows.value(row, id).toInt();
        QVERIFY2(!rows.value(row, name).isEmpty(), qPrintable(where));
        QVERIFY2(!codes.contains(code), qPrintable(where + " occurs twice"));
        codes.insert(code);

        if (code == rows.value(row, razdel)) {
            if (sectionForm.match(code).hasMatch()) {
                QVERIFY2(code > section, qPrintable(where + ": sections ascend"));
                section = code;
            } else {
                QVERIFY2(kind == ClassifierKind::Okved && subsectionForm.match(code).hasMatch()
                             && code.startsWith(section),
                         qPrintable(where + ": a subsection of the section above"));
            }
            heading = code;
            previousCode.clear();
        } else {
            QVERIFY2(codeForm.match(code).hasMatch(), qPrintable(where + ": code form"));
            QVERIFY2(rows.value(row, razdel) == heading, qPrintable(where + ": heads by the heading above"));
            // Plain character order is the hierarchical one: "." sorts before digits.
            QVERIFY2(previousCode.isEmpty() || previousCode < code, qPrintable(where + ": codes ascend"));
            previousCode = code;
        }
    }
}

void ClassifierTablesTest::rowCountsByKind_data()
{
    QTest::addColumn<ClassifierKind>("kind");
    QTest::addColumn<QList<int>>("expected");
    // Section and subsection headings, codes of 2, 4, 5, 7 and 8 characters, rows in all.
    QTest::newRow("OKVED") << ClassifierKind::Okved << QList<int>{17, 16, 60, 222, 509, 734, 317, 1875};
    QTest::newRow("KDES2") << ClassifierKind::Kdes2 << QList<int>{21, 0, 88, 272, 623, 1110, 587, 2701};
}

void ClassifierTablesTest::rowCountsByKind()
{
    QFETCH(ClassifierKind, kind);
    QFETCH(QList<int>, expected);
    const ClassifierRows& rows = ClassifierRowsOf(kind);
    const int razdel = rows.columnIndex(u"razdel");
    const int okved = rows.columnIndex(u"okved");
    QList<int> got(8, 0);
    for (int row = 0; row < rows.rowCount(); ++row) {
        const QString code = rows.value(row, okved);
        const bool heading = code == rows.value(row, razdel);
        if (heading)
            ++got[code.size() == 1 ? 0 : 1];
        else
            ++got[QList<int>{0, 0, 2, 0, 3, 4, 0, 5, 6}.value(code.size(), 0)];
    }
    got[7] = rows.rowCount();
    QCOMPARE(got, expected);
}

void ClassifierTablesTest::notesHoldCrLfLineBreaks()
{
    const ClassifierRows& rows = ClassifierRowsOf(ClassifierKind::Kdes2);
    const int about = rows.columnIndex(u"about");
    int withNote = 0;
    for (int row = 0; row < rows.rowCount(); ++row) {
        const QString note = rows.value(row, about);
        if (note.isEmpty())
            continue;
        ++withNote;
        QVERIFY2(!note.contains(QStringLiteral("\\n")), qPrintable(rows.value(row, 2)));
        QCOMPARE(note.count(u'\n'), note.count(QStringLiteral("\r\n")));
        QCOMPARE(note.count(u'\r'), note.count(QStringLiteral("\r\n")));
    }
    QCOMPARE(withNote, 912);

    ClassifierTable table(rows);
    QCOMPARE(table.value(u"about"),
             QStringLiteral("Этот раздел включает:\r\n"
                            "- использование растительных и животных природных ресурсов, включая выращивание "
                            "зерновых, содержание и разведение животных;\r\n"
                            "- получение древесины и других растений, животных или продуктов животного "
                            "происхождения на ферме или в естественной среде обитания"));
    table.moveTo(4); // 01.11.1 has no note
    QCOMPARE(table.value(u"ABOUT"), QString());
    QCOMPARE(ClassifierRowsOf(ClassifierKind::Okved).columnIndex(u"about"), -1);
}

void ClassifierTablesTest::tablesAreLoadedOnceAndShared()
{
    QCOMPARE(&ClassifierRowsOf(ClassifierKind::Okved), &ClassifierRowsOf(ClassifierKind::Okved));
    QCOMPARE(&ClassifierRowsOf(ClassifierKind::Kdes2), &ClassifierRowsOf(ClassifierKind::Kdes2));
    // Two pickers' tables over the same rows keep their own current rows.
    ClassifierTable one(ClassifierRowsOf(ClassifierKind::Okved));
    ClassifierTable two(ClassifierRowsOf(ClassifierKind::Okved));
    one.last();
    two.close();
    QCOMPARE(one.currentRow(), 1874);
    QVERIFY(one.isOpen());
}

void ClassifierTablesTest::tsvReading_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lastRow");
    const QString header = QStringLiteral("ID\tOKVED\tABOUT\n");
    QTest::newRow("escaped line breaks") << header + "1\t01\ta\\nb\\nc\n" << QStringList{"1", "01", "a\r\nb\r\nc"};
    QTest::newRow("escaped backslash") << header + "1\t01\ta\\\\nb\n" << QStringList{"1", "01", "a\\nb"};
    QTest::newRow("empty note") << header + "1\t01\t\n" << QStringList{"1", "01", ""};
    QTest::newRow("missing last field") << header + "1\t01\n" << QStringList{"1", "01", ""};
    QTest::newRow("CR LF lines, no final break")
        << QStringLiteral("ID\tOKVED\tABOUT\r\n1\t01\tx\r\n2\t02\ty") << QStringList{"2", "02", "y"};
    QTest::newRow("a lone backslash stays") << header + "1\t01\ta\\b\\\n" << QStringList{"1", "01", "a\\b\\"};
}

void ClassifierTablesTest::tsvReading()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lastRow);
    const ClassifierRows rows = ClassifierRows::FromTsv(text);
    QCOMPARE(rows.columnCount(), 3);
    QVERIFY(rows.rowCount() >= 1);
    QStringList got;
    for (int c = 0; c < rows.columnCount(); ++c)
        got << rows.value(rows.rowCount() - 1, c);
    QCOMPARE(got, lastRow);
}

void ClassifierTablesTest::columnsArrangedByName()
{
    const ClassifierRows rows = ClassifierRows::FromTsv(u"ID\tOKVED\tNAME\n1\tA\tx\n2\t01\ty\n")
                                    .withColumns({"ID", "RAZDEL", "NAME", "OKVED"});
    QCOMPARE(rows.columnCount(), 4);
    QCOMPARE(rows.rowCount(), 2);
    QCOMPARE(rows.columnName(2), QStringLiteral("NAME"));
    QCOMPARE(rows.value(1, 2), QStringLiteral("y"));
    QCOMPARE(rows.value(1, 3), QStringLiteral("01"));
    QCOMPARE(rows.value(1, 1), QString()); // a column the rows lack
}

void ClassifierTablesTest::headingRowsAreBoldAndNamesHaveTooltips()
{
    ClassifierTable table(ClassifierRowsOf(ClassifierKind::Okved));
    const int name = table.columnIndex(u"name");
    QVERIFY(table.data(table.index(0, name), Qt::FontRole).value<QFont>().bold());
    QVERIFY(!table.data(table.index(1, name), Qt::FontRole).value<QFont>().bold());
    QVERIFY(table.data(table.index(85, name), Qt::FontRole).value<QFont>().bold()); // CA
    QCOMPARE(table.data(table.index(1, name), Qt::ToolTipRole), table.data(table.index(1, name), Qt::DisplayRole));
    QCOMPARE(table.headerData(name, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("NAME"));
}

QTEST_MAIN(ClassifierTablesTest)
#include "classifier_tables_test.moc"
