#include "stringtable.h"

#include <QHash>

namespace {

struct Entry
{
    int id;
    const char *text; // UTF-8
};

const Entry kStrings[] = {
    {62000, "Uploading %1 data from camera..."},
    {62001, "Sending %1 data to camera..."},
    {62002, "Ready"},

    {62100, "File type mismatch.\nFile \"%1\" does not contain data for %2 apprication."},
    {61700, "Unexpected file format."},
    {61701, "Failed to open document."},
    {61702, "Failed to save document."},
    {61704, "Save changes to %1?"},
    {61443, "Untitled"},

    // Menu prompts: the status bar shows the first line while the item is
    // highlighted.
    {57600, "Create a new document\nNew"},
    {57601, "Open an existing document\nOpen"},
    {57603, "Save the active document\nSave"},
    {57604, "Save the active document with a new name\nSave As"},
    {57616, "Open this document"},
    {57617, "Open this document"},
    {57618, "Open this document"},
    {57619, "Open this document"},
    {57664, "Display program information, version number and copyright\nAbout"},
    {57665, "Quit the application; prompts to save documents\nExit"},
    {32773, "Read Every Camera Data From Camera\nRead"},
    {32775, "Write Every Camera Data To Camera\nWrite"},
    {32777, "Send or Receive Message Manually\nManual"},
    {32779, "Adjust Camera Data\nCommand"},
    {32772, "Select A Communication Port\nSetup Port"},
    {59142, "COM8"},
    {57344, " ZQ-M(V)710ALX"},
    {57346, "Vantorix Ltd."},
    {62101, "OK, No error present!"},
    {62102, "This should be a software error."},
    {62103, "Communication port number invalid."},
    {62104, "Communication port not opened."},
    {62105, "Can not open communciation port."},
    {62106, "Communication time out detected.\nCheck the connection."},
    {62107, "Bad chacter size specified in sending/receiving data to the camera unit."},
    {62108, "Missing overlap operation for reading/writing data to the specified port."},
    {62109, "Purge operation failure for communication port."},
    {62110, "Serial line break condition detected."},
    {62111, "Framing error detected on camera communication."},
    {62112, "Serial communication I/O error."},
    {62113, "General software error (?). I do not know the cause."},
    {62114, "Character overrun detected on serial communciation."},
    {62115, "Receiver buffer full."},
    {62116, "Parity error detected in received data."},
    {62117, "Transmit buffer full."},
    {62118, "Unselected parallel device."},
    {62119, "Time out on parallel device."},
    {62120, "Paper empty."},
    {62121, "Unexpected character received from camera unit."},
    {62122, "Bad character size in received packet from camera unit."},
    {62123, "No STX character found in received data from camera unit."},
    {62124, "No ETX character found in received data."},
    {62125, "Invalid character type found in received data from camera unit."},
    {62126, "Check sum code mismatched in received data from camera unit."},
    {62127, "ERROR - %1"},
    {62128, "Illegal message size of transmission data. "},
    {62129, "Too long message received."},

    {62201, "Shutter Speed"},
    {62202, "Trigger Mode"},
    {62203, "HD Reset"},
    {62204, "Trigger Polarity"},
    {62207, "Gain Level"},
    {62208, "Black Level"},
    {62231, "(Reserved)"},
    {62238, "Data Bit"},
    {62240, "Programable Shutter"},
    {62241, "VD/FVAL"},
    {62242, "Adjust Gain"},
    {62244, "Partial Scan Start"},
    {62245, "Partial Scan Width"},
    {62246, "Partial Scan ON/OFF"},
    {62247, "HD/LVAL"},
    {62248, "Configration"},
    {62249, "Sub Voltage"},
    {62250, "Trigger Source"},
    {62251, "Output Flash out/VD"},
    {62252, "2xAccel ON/OFF "},
    {62265, "Camera Information"},
    {62266, "User Adjust ON/OFF"},
    {62267, "White Spot Correction ON/OFF"},
    {62268, "White Spot Detect Threshlevel"},
    {62269, "Factory Set"},
    {62270, "White Spot Address X"},
    {62271, "White Spot Address Y"},
    {62272, "White Spot Detect"},
    {62273, "Test Patarn"},
    {62274, "Sort OFF/ON"},
};

const QHash<int, QString> &table()
{
    static const QHash<int, QString> t = [] {
        QHash<int, QString> h;
        for (const Entry &e : kStrings)
            h.insert(e.id, QString::fromUtf8(e.text));
        return h;
    }();
    return t;
}

} // namespace

QString StringTable::Load(int id)
{
    return table().value(id);
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
