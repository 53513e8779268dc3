#include "controllookup.h"

QWidget *FindControl(const QWidget *root, int id)
{
    if (!root)
        return nullptr;
    return root->findChild<QWidget *>(QString::number(id));
}
