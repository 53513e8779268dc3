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
    QCOMPARE(StringTable::Load(62127), QStringLiteral("ERROR - %1"));
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
    // Every text exactly as the camera's users know it, misspellings and
    // the trailing blank of 26 included; 62127 is the wrapper, skipped.
    QTest::newRow("0") << 0 << 62101 << QStringLiteral("OK, No error present!");
    QTest::newRow("1") << 1 << 62102 << QStringLiteral("This should be a software error.");
    QTest::newRow("2") << 2 << 62103 << QStringLiteral("Communication port number invalid.");
    QTest::newRow("3") << 3 << 62104 << QStringLiteral("Communication port not opened.");
    QTest::newRow("4") << 4 << 62105 << QStringLiteral("Can not open communciation port.");
    QTest::newRow("5") << 5 << 62106
                       << QStringLiteral("Communication time out detected.\nCheck the connection.");
    QTest::newRow("6")
        << 6 << 62107
        << QStringLiteral(
               "Bad chacter size specified in sending/receiving data to the camera unit.");
    QTest::newRow("7")
        << 7 << 62108
        << QStringLiteral(
               "Missing overlap operation for reading/writing data to the specified port.");
    QTest::newRow("8") << 8 << 62109
                       << QStringLiteral("Purge operation failure for communication port.");
    QTest::newRow("9") << 9 << 62110 << QStringLiteral("Serial line break condition detected.");
    QTest::newRow("10") << 10 << 62111
                        << QStringLiteral("Framing error detected on camera communication.");
    QTest::newRow("11") << 11 << 62112 << QStringLiteral("Serial communication I/O error.");
    QTest::newRow("12") << 12 << 62113
                        << QStringLiteral("General software error (?). I do not know the cause.");
    QTest::newRow("13") << 13 << 62114
                        << QStringLiteral("Character overrun detected on serial communciation.");
    QTest::newRow("14") << 14 << 62115 << QStringLiteral("Receiver buffer full.");
    QTest::newRow("15") << 15 << 62116 << QStringLiteral("Parity error detected in received data.");
    QTest::newRow("16") << 16 << 62117 << QStringLiteral("Transmit buffer full.");
    QTest::newRow("17") << 17 << 62118 << QStringLiteral("Unselected parallel device.");
    QTest::newRow("18") << 18 << 62119 << QStringLiteral("Time out on parallel device.");
    QTest::newRow("19") << 19 << 62120 << QStringLiteral("Paper empty.");
    QTest::newRow("20") << 20 << 62121
                        << QStringLiteral("Unexpected character received from camera unit.");
    QTest::newRow("21") << 21 << 62122
                        << QStringLiteral(
                               "Bad character size in received packet from camera unit.");
    QTest::newRow("22") << 22 << 62123
                        << QStringLiteral(
                               "No STX character found in received data from camera unit.");
    QTest::newRow("23") << 23 << 62124
                        << QStringLiteral("No ETX character found in received data.");
    QTest::newRow("24") << 24 << 62125
                        << QStringLiteral(
                               "Invalid character type found in received data from camera unit.");
    QTest::newRow("25") << 25 << 62126
                        << QStringLiteral(
                               "Check sum code mismatched in received data from camera unit.");
    QTest::newRow("26") << 26 << 62128
                        << QStringLiteral("Illegal message size of transmission data. ");
    QTest::newRow("27") << 27 << 62129 << QStringLiteral("Too long message received.");
}

void TestErrorState::messagesOfEveryCode()
{
    QFETCH(int, code);
    QFETCH(int, stringId);
    QFETCH(QString, message);
    QCOMPARE(ErrorState::StringIdOf(code), stringId);
    QCOMPARE(StringTable::Load(stringId), message);
    QCOMPARE(ErrorState::MessageOf(code), message);
    ErrorState s;
    if (code != ERR_KEEP) { // never recorded
        s.SetError(code);
        QCOMPARE(s.GetErrorMessage(), QStringLiteral("ERROR - ") + message);
    }

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
    for (int code : {40, -3, int(ERR_COUNT)}) {
        ErrorState s;
        s.SetError(code);
        QCOMPARE(s.GetErrorMessage(), QStringLiteral("ERROR - This should be a software error."));
    }
}

QTEST_GUILESS_MAIN(TestErrorState)
#include "tst_errorstate.moc"
