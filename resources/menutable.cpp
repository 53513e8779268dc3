#include "menutable.h"

#include "commandids.h"

namespace {
using namespace CommandId;

const MenuItemEntry kFile[] = {
    {FileOpen, "&Open...\tCtrl+O", false},
    {FileSave, "&Save\tCtrl+S", false},
    {FileSaveAs, "Save &As...", false},
    {0, nullptr, false},
    {FileMruFirst, "Recent File", true},
    {0, nullptr, false},
    {AppExit, "E&xit", false},
};
const MenuItemEntry kInterface[] = {
    {ManualCommand, "Manual Command...", false},
    {ReadFromCamera, "&Read From Camera\tCtrl+R", false},
    {WriteToCamera, "&Write To Camera\tCtrl+W", false},
    {0, nullptr, false},
    // Nothing handles it: always shown disabled.
    {SerialPort, "Seria&l Port...\tCtrl+L ", true},
    {CommandMenu, "Command Menu ", false},
};
const MenuItemEntry kHelp[] = {
    {AppAbout, "&About ZQ-M(V)710ALX...", false},
};
const MenuEntry kMenu[] = {
    {"&File", kFile, int(sizeof kFile / sizeof kFile[0])},
    {"&Interface", kInterface, int(sizeof kInterface / sizeof kInterface[0])},
    {"&Help", kHelp, int(sizeof kHelp / sizeof kHelp[0])},
};

// Copy, cut, paste, undo and the pane keys are in the table too, but
// nothing in the program handles them, so they stay unbound.
const AcceleratorEntry kAccelerators[] = {
    {"Ctrl+O", FileOpen},
    {"Ctrl+S", FileSave},
    {"Ctrl+N", FileNew},
    {"Ctrl+R", ReadFromCameraKey},
    {"Ctrl+W", WriteToCameraKey},
    {"Ctrl+P", CommandMenuKey},
};
} // namespace

const MenuEntry *MainMenu(int *count)
{
    *count = int(sizeof kMenu / sizeof kMenu[0]);
    return kMenu;
}

const AcceleratorEntry *MainAccelerators(int *count)
{
    *count = int(sizeof kAccelerators / sizeof kAccelerators[0]);
    return kAccelerators;
}
