#pragma once

// Command ids of the menu, the accelerators and the status bar panes.
namespace CommandId {
enum : int {
    FileNew = 57600,
    FileOpen = 57601,
    FileSave = 57603,
    FileSaveAs = 57604,
    FileMruFirst = 57616, // "Recent File": the recent-file entries take 57616..57619
    AppExit = 57665,
    AppAbout = 57664,
    EditCopy = 57634,
    EditCut = 57635,
    EditPaste = 57637,
    EditUndo = 57643,
    NextPane = 57680,
    PrevPane = 57681,
    ComIndicator = 59142,

    ManualCommand = 32777,
    ReadFromCamera = 32773,
    ReadFromCameraKey = 32774,
    WriteToCamera = 32775,
    WriteToCameraKey = 32776,
    SerialPort = 32772,
    CommandMenu = 32779,
    CommandMenuKey = 32780,
};
}
