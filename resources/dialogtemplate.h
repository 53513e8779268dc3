#pragma once

#include <QString>
#include <QtGlobal>

// A dialog layout as data: every control with its id, kind, caption and
// rectangle in dialog units. The builder in ui/ turns one into widgets.
struct DialogItem
{
    enum Kind : quint8
    {
        GroupBox,    // a frame with a caption; the controls inside are its siblings
        RadioButton, // grouped with the radio buttons that follow it up to the next GroupStart
        CheckBox,
        PushButton,
        Label,      // static text
        Edit,       // one-line edit field (Multiline for several lines)
        ScrollBar,  // horizontal unless Vertical
        SpinButton, // up-down arrows beside an edit field
        Icon,       // the application icon
        ComboBox,   // a drop-down list to choose from
    };
    enum Style : quint32 {
        GroupStart = 1u << 0, // starts a new radio group (and tab group)
        PushLike = 1u << 1,   // a radio button drawn as a push button
        Sunken = 1u << 2,     // a read-out: sunken frame
        AlignLeft = 0,
        AlignCenter = 1u << 3,
        AlignRight = 1u << 4,
        Hidden = 1u << 5,
        Vertical = 1u << 6,
        ReadOnly = 1u << 7,
        UpperCase = 1u << 8,
        Disabled = 1u << 9,
        DefaultButton = 1u << 10, // pressed by Enter
        Multiline = 1u << 11,
        VScroll = 1u << 12, // a multi-line edit field with a vertical scroll bar
        AutoHScroll = 1u << 13,
        TabStop = 1u << 14, // a radio button that starts a new tab stop inside its group
    };

    int id; // -1 for a control nobody looks up (a plain label, an unnamed frame)
    Kind kind;
    const char *caption; // UTF-8
    int x, y, w, h;      // dialog units
    quint32 style;
};

struct DialogTemplate
{
    int id;
    const char *caption; // UTF-8; empty for a child form
    int width, height;   // dialog units
    const DialogItem *items;
    int count;
    // The translation context of the captions. Captions marked for the
    // translator are looked up in it; the others (signal names, values, the
    // Japanese service captions) show as they stand in every language.
    const char *context;
    // The size of the font the form was drawn with, in points; 0 for the
    // window's own. Its rectangles scale with it.
    int pointSize;

    // The window title and an item's caption in the chosen language.
    QString Caption() const;
    QString CaptionOf(const DialogItem &item) const;
};

// The dialog layouts of the program, by resource id; null for an unknown id.
const DialogTemplate *FindDialogTemplate(int id);
// All of them, count set to how many.
const DialogTemplate *const *DialogTemplates(int *count);
