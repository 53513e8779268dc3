#pragma once

#include <QString>

// The main menu (resource 128) as stored: top-level menus with their items.
struct MenuItemEntry
{
    int id;           // command id; 0 for a separator
    const char *text; // with its '&' and "\t" parts; null for a separator
    bool disabled;

    QString Text() const; // in the chosen language
};

struct MenuEntry
{
    const char *title;
    const MenuItemEntry *items;
    int count;

    QString Title() const; // in the chosen language
};

struct AcceleratorEntry
{
    const char *keys; // QKeySequence text
    int id;
};

const MenuEntry *MainMenu(int *count);
const AcceleratorEntry *MainAccelerators(int *count);
