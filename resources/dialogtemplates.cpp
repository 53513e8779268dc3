#include "dialogtemplate.h"

// Each layout lives in a file of its own; this list finds them by id.
extern const DialogTemplate kAboutDialog;

const DialogTemplate *FindDialogTemplate(int id)
{
    static const DialogTemplate *const kAll[] = {
        &kAboutDialog,
    };
    for (const DialogTemplate *t : kAll)
        if (t->id == id)
            return t;
    return nullptr;
}
