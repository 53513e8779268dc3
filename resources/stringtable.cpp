#include "stringtable.h"

#include <QCoreApplication>
#include <QHash>

namespace {

struct Entry
{
    int id;
    const char *text; // UTF-8
};

const Entry kStrings[] = {
    {62000, QT_TRANSLATE_NOOP("StringTable", "Uploading %1 data from camera...")},
    {62001, QT_TRANSLATE_NOOP("StringTable", "Sending %1 data to camera...")},
    {62002, QT_TRANSLATE_NOOP("StringTable", "Ready")},

    {62100, QT_TRANSLATE_NOOP(
                "StringTable",
                "File type mismatch.\nFile \"%1\" does not contain data for %2 apprication.")},
    {61700, QT_TRANSLATE_NOOP("StringTable", "Unexpected file format.")},
    {61701, QT_TRANSLATE_NOOP("StringTable", "Failed to open document.")},
    {61702, QT_TRANSLATE_NOOP("StringTable", "Failed to save document.")},
    {61704, QT_TRANSLATE_NOOP("StringTable", "Save changes to %1?")},
    {61443, QT_TRANSLATE_NOOP("StringTable", "Untitled")},

    // Menu prompts: the status bar shows the first line while the item is
    // highlighted.
    {57600, QT_TRANSLATE_NOOP("StringTable", "Create a new document\nNew")},
    {57601, QT_TRANSLATE_NOOP("StringTable", "Open an existing document\nOpen")},
    {57603, QT_TRANSLATE_NOOP("StringTable", "Save the active document\nSave")},
    {57604, QT_TRANSLATE_NOOP("StringTable", "Save the active document with a new name\nSave As")},
    {57616, QT_TRANSLATE_NOOP("StringTable", "Open this document")},
    {57617, QT_TRANSLATE_NOOP("StringTable", "Open this document")},
    {57618, QT_TRANSLATE_NOOP("StringTable", "Open this document")},
    {57619, QT_TRANSLATE_NOOP("StringTable", "Open this document")},
    {57664, QT_TRANSLATE_NOOP("StringTable",
                              "Display program information, version number and copyright\nAbout")},
    {57665,
     QT_TRANSLATE_NOOP("StringTable", "Quit the application; prompts to save documents\nExit")},
    {32773, QT_TRANSLATE_NOOP("StringTable", "Read Every Camera Data From Camera\nRead")},
    {32775, QT_TRANSLATE_NOOP("StringTable", "Write Every Camera Data To Camera\nWrite")},
    {32777, QT_TRANSLATE_NOOP("StringTable", "Send or Receive Message Manually\nManual")},
    {32779, QT_TRANSLATE_NOOP("StringTable", "Adjust Camera Data\nCommand")},
    {32772, QT_TRANSLATE_NOOP("StringTable", "Select A Communication Port\nSetup Port")},
    // Names, not words: the same in every language. The settings are kept
    // under the company's name.
    {59142, "COM8"},
    {57344, " ZQ-M(V)710ALX"},
    {57346, "Vantorix Ltd."},
    {62101, QT_TRANSLATE_NOOP("StringTable", "OK, No error present!")},
    {62102, QT_TRANSLATE_NOOP("StringTable", "This should be a software error.")},
    {62103, QT_TRANSLATE_NOOP("StringTable", "Communication port number invalid.")},
    {62104, QT_TRANSLATE_NOOP("StringTable", "Communication port not opened.")},
    {62105, QT_TRANSLATE_NOOP("StringTable", "Can not open communciation port.")},
    {62106,
     QT_TRANSLATE_NOOP("StringTable", "Communication time out detected.\nCheck the connection.")},
    {62107,
     QT_TRANSLATE_NOOP("StringTable",
                       "Bad chacter size specified in sending/receiving data to the camera unit.")},
    {62108, QT_TRANSLATE_NOOP(
                "StringTable",
                "Missing overlap operation for reading/writing data to the specified port.")},
    {62109, QT_TRANSLATE_NOOP("StringTable", "Purge operation failure for communication port.")},
    {62110, QT_TRANSLATE_NOOP("StringTable", "Serial line break condition detected.")},
    {62111, QT_TRANSLATE_NOOP("StringTable", "Framing error detected on camera communication.")},
    {62112, QT_TRANSLATE_NOOP("StringTable", "Serial communication I/O error.")},
    {62113,
     QT_TRANSLATE_NOOP("StringTable", "General software error (?). I do not know the cause.")},
    {62114,
     QT_TRANSLATE_NOOP("StringTable", "Character overrun detected on serial communciation.")},
    {62115, QT_TRANSLATE_NOOP("StringTable", "Receiver buffer full.")},
    {62116, QT_TRANSLATE_NOOP("StringTable", "Parity error detected in received data.")},
    {62117, QT_TRANSLATE_NOOP("StringTable", "Transmit buffer full.")},
    {62118, QT_TRANSLATE_NOOP("StringTable", "Unselected parallel device.")},
    {62119, QT_TRANSLATE_NOOP("StringTable", "Time out on parallel device.")},
    {62120, QT_TRANSLATE_NOOP("StringTable", "Paper empty.")},
    {62121, QT_TRANSLATE_NOOP("StringTable", "Unexpected character received from camera unit.")},
    {62122,
     QT_TRANSLATE_NOOP("StringTable", "Bad character size in received packet from camera unit.")},
    {62123,
     QT_TRANSLATE_NOOP("StringTable", "No STX character found in received data from camera unit.")},
    {62124, QT_TRANSLATE_NOOP("StringTable", "No ETX character found in received data.")},
    {62125, QT_TRANSLATE_NOOP("StringTable",
                              "Invalid character type found in received data from camera unit.")},
    {62126, QT_TRANSLATE_NOOP("StringTable",
                              "Check sum code mismatched in received data from camera unit.")},
    {62127, QT_TRANSLATE_NOOP("StringTable", "ERROR - %1")},
    {62128, QT_TRANSLATE_NOOP("StringTable", "Illegal message size of transmission data. ")},
    {62129, QT_TRANSLATE_NOOP("StringTable", "Too long message received.")},

    {62201, QT_TRANSLATE_NOOP("StringTable", "Shutter Speed")},
    {62202, QT_TRANSLATE_NOOP("StringTable", "Trigger Mode")},
    {62203, QT_TRANSLATE_NOOP("StringTable", "HD Reset")},
    {62204, QT_TRANSLATE_NOOP("StringTable", "Trigger Polarity")},
    {62207, QT_TRANSLATE_NOOP("StringTable", "Gain Level")},
    {62208, QT_TRANSLATE_NOOP("StringTable", "Black Level")},
    {62231, QT_TRANSLATE_NOOP("StringTable", "(Reserved)")},
    {62238, QT_TRANSLATE_NOOP("StringTable", "Data Bit")},
    {62240, QT_TRANSLATE_NOOP("StringTable", "Programable Shutter")},
    {62241, "VD/FVAL"},
    {62242, QT_TRANSLATE_NOOP("StringTable", "Adjust Gain")},
    {62244, QT_TRANSLATE_NOOP("StringTable", "Partial Scan Start")},
    {62245, QT_TRANSLATE_NOOP("StringTable", "Partial Scan Width")},
    {62246, QT_TRANSLATE_NOOP("StringTable", "Partial Scan ON/OFF")},
    {62247, "HD/LVAL"},
    {62248, QT_TRANSLATE_NOOP("StringTable", "Configration")},
    {62249, QT_TRANSLATE_NOOP("StringTable", "Sub Voltage")},
    {62250, QT_TRANSLATE_NOOP("StringTable", "Trigger Source")},
    {62251, QT_TRANSLATE_NOOP("StringTable", "Output Flash out/VD")},
    {62252, QT_TRANSLATE_NOOP("StringTable", "2xAccel ON/OFF ")},
    {62265, QT_TRANSLATE_NOOP("StringTable", "Camera Information")},
    {62266, QT_TRANSLATE_NOOP("StringTable", "User Adjust ON/OFF")},
    {62267, QT_TRANSLATE_NOOP("StringTable", "White Spot Correction ON/OFF")},
    {62268, QT_TRANSLATE_NOOP("StringTable", "White Spot Detect Threshlevel")},
    {62269, QT_TRANSLATE_NOOP("StringTable", "Factory Set")},
    {62270, QT_TRANSLATE_NOOP("StringTable", "White Spot Address X")},
    {62271, QT_TRANSLATE_NOOP("StringTable", "White Spot Address Y")},
    {62272, QT_TRANSLATE_NOOP("StringTable", "White Spot Detect")},
    {62273, QT_TRANSLATE_NOOP("StringTable", "Test Patarn")},
    {62274, QT_TRANSLATE_NOOP("StringTable", "Sort OFF/ON")},
};

const QHash<int, const char *> &table()
{
    static const QHash<int, const char *> t = [] {
        QHash<int, const char *> h;
        for (const Entry &e : kStrings)
            h.insert(e.id, e.text);
        return h;
    }();
    return t;
}

} // namespace

QString StringTable::Load(int id)
{
    const char *text = table().value(id);
    // Unmarked texts (the title, the company, "COM8") have no translation
    // and come back as they stand.
    return text ? QCoreApplication::translate("StringTable", text) : QString();
}

QList<int> StringTable::Ids()
{
    QList<int> ids;
    for (const Entry &e : kStrings)
        ids.append(e.id);
    return ids;
}

bool StringTable::Contains(int id)
{
    return table().contains(id);
}
