#include "aboutdialog.h"

#include "resources/dialogtemplate.h"
#include "ui/controllookup.h"
#include "ui/dialogbuilder.h"

#include <QPushButton>

AboutDialog::AboutDialog(QWidget *parent) : QDialog(parent)
{
    const DialogTemplate &layout = *FindDialogTemplate(100);
    setWindowTitle(layout.Caption());
    setFixedSize(DialogBuilder::Build(layout, this));
    if (auto *ok = FindControlAs<QPushButton>(this, 1))
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
