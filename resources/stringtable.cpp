#include "stringtable.h"

#include "stringids.h"

#include <QCoreApplication>
#include <QHash>

namespace {

struct Entry
{
    int id;
    const char *text; // UTF-8
};

const Entry kStrings[] = {
    {StringId::UploadingData, QT_TRANSLATE_NOOP("StringTable", "Uploading %1 data from camera...")},
    {StringId::SendingData, QT_TRANSLATE_NOOP("StringTable", "Sending %1 data to camera...")},
    {StringId::Ready, QT_TRANSLATE_NOOP("StringTable", "Ready")},

    {StringId::FileTypeMismatch,
     QT_TRANSLATE_NOOP(
         "StringTable",
         "File type mismatch.\nFile \"%1\" does not contain data for %2 apprication.")},
    {StringId::UnexpectedFileFormat, QT_TRANSLATE_NOOP("StringTable", "Unexpected file format.")},
    {StringId::FailedToOpenDocument, QT_TRANSLATE_NOOP("StringTable", "Failed to open document.")},
    {StringId::FailedToSaveDocument, QT_TRANSLATE_NOOP("StringTable", "Failed to save document.")},
    {StringId::AskToSave, QT_TRANSLATE_NOOP("StringTable", "Save changes to %1?")},
    {StringId::Untitled, QT_TRANSLATE_NOOP("StringTable", "Untitled")},

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
    {StringId::Company, "Vantorix Ltd."},
    {StringId::ErrorMessageFirst, QT_TRANSLATE_NOOP("StringTable", "OK, No error present!")},
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
    {StringId::ErrorWrapper, QT_TRANSLATE_NOOP("StringTable", "ERROR - %1")},
    {62128, QT_TRANSLATE_NOOP("StringTable", "Illegal message size of transmission data. ")},
    {62129, QT_TRANSLATE_NOOP("StringTable", "Too long message received.")},
    {62130, QT_TRANSLATE_NOOP("StringTable",
                              "The communication port refused the line settings (baud rate, "
                              "data bits, parity, stop bits).")},

    {StringId::ShutterSpeed, QT_TRANSLATE_NOOP("StringTable", "Shutter Speed")},
    {StringId::TriggerMode, QT_TRANSLATE_NOOP("StringTable", "Trigger Mode")},
    {StringId::HdReset, QT_TRANSLATE_NOOP("StringTable", "HD Reset")},
    {StringId::TriggerPolarity, QT_TRANSLATE_NOOP("StringTable", "Trigger Polarity")},
    {StringId::GainLevel, QT_TRANSLATE_NOOP("StringTable", "Gain Level")},
    {StringId::BlackLevel, QT_TRANSLATE_NOOP("StringTable", "Black Level")},
    {StringId::Reserved, QT_TRANSLATE_NOOP("StringTable", "(Reserved)")},
    {StringId::DataBit, QT_TRANSLATE_NOOP("StringTable", "Data Bit")},
    {StringId::ProgramableShutter, QT_TRANSLATE_NOOP("StringTable", "Programable Shutter")},
    {StringId::VdFval, "VD/FVAL"},
    {StringId::AdjustGain, QT_TRANSLATE_NOOP("StringTable", "Adjust Gain")},
    {StringId::PartialScanStart, QT_TRANSLATE_NOOP("StringTable", "Partial Scan Start")},
    {StringId::PartialScanWidth, QT_TRANSLATE_NOOP("StringTable", "Partial Scan Width")},
    {StringId::PartialScanOnOff, QT_TRANSLATE_NOOP("StringTable", "Partial Scan ON/OFF")},
    {StringId::HdLval, "HD/LVAL"},
    {StringId::Configration, QT_TRANSLATE_NOOP("StringTable", "Configration")},
    {StringId::SubVoltage, QT_TRANSLATE_NOOP("StringTable", "Sub Voltage")},
    {StringId::TriggerSource, QT_TRANSLATE_NOOP("StringTable", "Trigger Source")},
    {StringId::OutputFlashOutVd, QT_TRANSLATE_NOOP("StringTable", "Output Flash out/VD")},
    {StringId::Accel2xOnOff, QT_TRANSLATE_NOOP("StringTable", "2xAccel ON/OFF ")},
    {StringId::CameraInformation, QT_TRANSLATE_NOOP("StringTable", "Camera Information")},
    {StringId::UserAdjustOnOff, QT_TRANSLATE_NOOP("StringTable", "User Adjust ON/OFF")},
    {StringId::WhiteSpotCorrectionOnOff,
     QT_TRANSLATE_NOOP("StringTable", "White Spot Correction ON/OFF")},
    {StringId::WhiteSpotDetectThreshlevel,
     QT_TRANSLATE_NOOP("StringTable", "White Spot Detect Threshlevel")},
    {StringId::FactorySet, QT_TRANSLATE_NOOP("StringTable", "Factory Set")},
    {StringId::WhiteSpotAddressX, QT_TRANSLATE_NOOP("StringTable", "White Spot Address X")},
    {StringId::WhiteSpotAddressY, QT_TRANSLATE_NOOP("StringTable", "White Spot Address Y")},
    {StringId::WhiteSpotDetect, QT_TRANSLATE_NOOP("StringTable", "White Spot Detect")},
    {StringId::TestPatarn, QT_TRANSLATE_NOOP("StringTable", "Test Patarn")},
    {StringId::SortOffOn, QT_TRANSLATE_NOOP("StringTable", "Sort OFF/ON")},
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
