#include "desktop/design/CAttributiCatalogo.h"

#include <QtTest>

class CAttributiCatalogoTest : public QObject
{
    Q_OBJECT
private slots:
    void Lengths_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("written");
        QTest::newRow("bare number") << "12" << "12px";
        QTest::newRow("percentage") << "50%" << "50%";
        QTest::newRow("trailing blanks") << "7  " << "7px";
        // Values are stored bare: a unit typed by hand is doubled, as before.
        QTest::newRow("stored with unit") << "12px" << "12pxpx";
    }
    void Lengths()
    {
        QFETCH(QString, stored);
        QFETCH(QString, written);
        QCOMPARE(CAttributiCatalogo::WithUnit(stored), written);
    }

    void PropertiesAndBorders()
    {
        QCOMPARE(CAttributiCatalogo::Property(0), QStringLiteral("width"));
        QCOMPARE(CAttributiCatalogo::Property(26), QStringLiteral("background-image"));
        QCOMPARE(CAttributiCatalogo::Property(34), QStringLiteral("text-decoration"));
        for (int id = 10; id <= 21; ++id)
            QVERIFY(CAttributiCatalogo::Property(id).isEmpty());
        QVERIFY(CAttributiCatalogo::Property(35).isEmpty());
        QVERIFY(CAttributiCatalogo::Property(-1).isEmpty());
        QCOMPARE(CAttributiCatalogo::BorderSide(16), QStringLiteral("border-bottom"));
        QVERIFY(CAttributiCatalogo::BorderSide(11).isEmpty());
        QVERIFY(CAttributiCatalogo::IsLength(13));
        QVERIFY(!CAttributiCatalogo::IsLength(14));
    }
};

QTEST_APPLESS_MAIN(CAttributiCatalogoTest)
#include "CAttributiCatalogoTest.moc"
