#include "dialogtemplate.h"

#include <QCoreApplication>

// Each layout lives in a file of its own; this list finds them by id.
extern const DialogTemplate kAboutDialog;
extern const DialogTemplate kCommSetupDialog;
extern const DialogTemplate kPanelDialog;
extern const DialogTemplate kWhiteSpotDialog;
extern const DialogTemplate kManualCommandDialog;
extern const DialogTemplate kRegisterEditorDialog;

namespace {
const DialogTemplate *const kAll[] = {
    &kAboutDialog,     &kCommSetupDialog,     &kPanelDialog,
    &kWhiteSpotDialog, &kManualCommandDialog, &kRegisterEditorDialog,
};
} // namespace

const DialogTemplate *FindDialogTemplate(int id)
{
    for (const DialogTemplate *t : kAll)
        if (t->id == id)
            return t;
    return nullptr;
}

const DialogTemplate *const *DialogTemplates(int *count)
{
    *count = int(sizeof kAll / sizeof kAll[0]);
    return kAll;
}

QString DialogTemplate::Caption() const
{
    return caption && *caption ? QCoreApplication::translate(context, caption) : QString();
}

QString DialogTemplate::CaptionOf(const DialogItem &item) const
{
    return item.caption && *item.caption ? QCoreApplication::translate(context, item.caption)
                                         : QString();
}
