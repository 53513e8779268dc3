#include "comm/errorstate.h"
#include "resources/stringtable.h"

#include <QtTest>

class TestErrorState : public QObject
{
    Q_OBJECT
private slots:
    void freshStateReportsNoError();
    void setErrorKeepsLowerCode();
    void messagesOfEveryCode_data();
    void messagesOfEveryCode();
    void outOfRangeCodeShowsSoftwareError();
};

void TestErrorState::freshStateReportsNoError()
{
    ErrorState s;
    QCOMPARE(s.GetErrorCode(), 0);
    QCOMPARE(s.GetErrorMessage(), QStringLiteral("ERROR - OK, No error present!"));
}

void TestErrorState::setErrorKeepsLowerCode()
{
    ErrorState s;
    QCOMPARE(s.SetError(ERR_KEEP), 0); // nothing recorded yet
    QCOMPARE(s.SetError(ERR_TIMEOUT), -5);
    QCOMPARE(s.SetError(ERR_KEEP), -5);
    QCOMPARE(s.GetErrorCode(), 5);
    QCOMPARE(s.SetError(ERR_PORT_OPEN), -4);
    QCOMPARE(s.GetErrorCode(), 4);
    QCOMPARE(s.GetErrorMessage(), QStringLiteral("ERROR - Can not open communciation port."));
}

void TestErrorState::messagesOfEveryCode_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("stringId");
    QTest::addColumn<QString>("message");
    QTest::newRow("0") << 0 << 62101 << "OK, No error present!";
    QTest::newRow("5") << 5 << 62106 << "Communication time out detected.\nCheck the connection.";
    QTest::newRow("6") << 6
                       << 62107
                       << "Bad chacter size specified in sending/receiving data to the camera unit.";
    QTest::newRow("12") << 12 << 62113 << "General software error (?). I do not know the cause.";
    QTest::newRow("25") << 25 << 62126
                        << "Check sum code mismatched in received data from camera unit.";
    // 62127 is the wrapper; the table jumps over it.
    QTest::newRow("26") << 26 << 62128 << "Illegal message size of transmission data. ";
    QTest::newRow("27") << 27 << 62129 << "Too long message received.";
}

void TestErrorState::messagesOfEveryCode()
{
    QFETCH(int, code);
    QFETCH(int, stringId);
    QFETCH(QString, message);
    QCOMPARE(ErrorState::StringIdOf(code), stringId);
    ErrorState s;
    s.SetError(code);
    QCOMPARE(s.GetErrorMessage(), QStringLiteral("ERROR - ") + message);

    // Every code has a message of its own, and none is the wrapper.
    QSet<int> ids;
    for (int c = 0; c < ERR_COUNT; ++c) {
        QVERIFY(StringTable::Contains(ErrorState::StringIdOf(c)));
        QVERIFY(ErrorState::StringIdOf(c) != 62127);
        ids.insert(ErrorState::StringIdOf(c));
    }
    QCOMPARE(ids.size(), int(ERR_COUNT));
}

void TestErrorState::outOfRangeCodeShowsSoftwareError()
{
    for (int code : {40, -3, 28}) {
        ErrorState s;
        s.SetError(code);
        QCOMPARE(s.GetErrorMessage(), QStringLiteral("ERROR - This should be a software error."));
    }
}

QTEST_GUILESS_MAIN(TestErrorState)
#include "tst_errorstate.moc"
