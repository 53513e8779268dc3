#pragma once

// Numeric identifiers of the program's string table. The numbers are the
// program's own resource ids and are kept so that texts can be looked up by
// the same id everywhere.
namespace StringId {
enum : int {
    UploadingData = 62000, // "Uploading %1 data from camera..."
    SendingData = 62001,   // "Sending %1 data to camera..."
    Ready = 62002,

    FileTypeMismatch = 62100, // "%1" file name, "%2" application title
    ErrorMessageFirst = 62101, // message of code 0; codes map through a table
    ErrorWrapper = 62127,      // "ERROR - %1"
    UnexpectedFileFormat = 61700, // the document framework's text for a damaged file
    FailedToOpenDocument = 61701,
    FailedToSaveDocument = 61702,
    AskToSave = 61704, // "%1" the document's title
    Untitled = 61443,
    Company = 57346, // the settings store's organisation

    ShutterSpeed = 62201,
    TriggerMode = 62202,
    HdReset = 62203,
    TriggerPolarity = 62204,
    GainLevel = 62207,
    BlackLevel = 62208,
    Reserved = 62231,
    DataBit = 62238,
    ProgramableShutter = 62240,
    VdFval = 62241,
    AdjustGain = 62242,
    PartialScanStart = 62244,
    PartialScanWidth = 62245,
    PartialScanOnOff = 62246,
    HdLval = 62247,
    Configration = 62248,
    SubVoltage = 62249,
    TriggerSource = 62250,
    OutputFlashOutVd = 62251,
    Accel2xOnOff = 62252,
    CameraInformation = 62265,
    UserAdjustOnOff = 62266,
    WhiteSpotCorrectionOnOff = 62267,
    WhiteSpotDetectThreshlevel = 62268,
    FactorySet = 62269,
    WhiteSpotAddressX = 62270,
    WhiteSpotAddressY = 62271,
    WhiteSpotDetect = 62272,
    TestPatarn = 62273,
    SortOffOn = 62274,
};
}
