#include "menutable.h"

#include "commandids.h"

#include <QCoreApplication>

namespace {
using namespace CommandId;

const MenuItemEntry kFile[] = {
    {FileOpen, QT_TRANSLATE_NOOP("MainMenu", "&Open...\tCtrl+O"), false},
    {FileSave, QT_TRANSLATE_NOOP("MainMenu", "&Save\tCtrl+S"), false},
    {FileSaveAs, QT_TRANSLATE_NOOP("MainMenu", "Save &As..."), false},
    {0, nullptr, false},
    {FileMruFirst, QT_TRANSLATE_NOOP("MainMenu", "Recent File"), true},
    {0, nullptr, false},
    {AppExit, QT_TRANSLATE_NOOP("MainMenu", "E&xit"), false},
};
const MenuItemEntry kInterface[] = {
    {ManualCommand, QT_TRANSLATE_NOOP("MainMenu", "Manual Command..."), false},
    {ReadFromCamera, QT_TRANSLATE_NOOP("MainMenu", "&Read From Camera\tCtrl+R"), false},
    {WriteToCamera, QT_TRANSLATE_NOOP("MainMenu", "&Write To Camera\tCtrl+W"), false},
    {0, nullptr, false},
    // Nothing handles it: always shown disabled.
    {SerialPort, QT_TRANSLATE_NOOP("MainMenu", "Seria&l Port...\tCtrl+L "), true},
    {CommandMenu, QT_TRANSLATE_NOOP("MainMenu", "Command Menu "), false},
};
const MenuItemEntry kHelp[] = {
    {AppAbout, QT_TRANSLATE_NOOP("MainMenu", "&About ZQ-M(V)710ALX..."), false},
};
const MenuEntry kMenu[] = {
    {QT_TRANSLATE_NOOP("MainMenu", "&File"), kFile, int(sizeof kFile / sizeof kFile[0])},
    {QT_TRANSLATE_NOOP("MainMenu", "&Interface"), kInterface,
     int(sizeof kInterface / sizeof kInterface[0])},
    {QT_TRANSLATE_NOOP("MainMenu", "&Help"), kHelp, int(sizeof kHelp / sizeof kHelp[0])},
};

// Copy, cut, paste, undo and the pane keys are in the table too, but
// nothing in the program handles them, so they stay unbound.
const AcceleratorEntry kAccelerators[] = {
    {"Ctrl+O", FileOpen},          {"Ctrl+S", FileSave},         {"Ctrl+N", FileNew},
    {"Ctrl+R", ReadFromCameraKey}, {"Ctrl+W", WriteToCameraKey}, {"Ctrl+P", CommandMenuKey},
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

QString MenuItemEntry::Text() const
{
    return text ? QCoreApplication::translate("MainMenu", text) : QString();
}

QString MenuEntry::Title() const
{
    return QCoreApplication::translate("MainMenu", title);
}
