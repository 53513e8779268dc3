#pragma once

#include <QWidget>

// Finds the control with the given resource id below root (its objectName
// is the id in decimal). Null when there is none or it is not a T.
QWidget *FindControl(const QWidget *root, int id);

template <class T> T *FindControlAs(const QWidget *root, int id)
{
    return qobject_cast<T *>(FindControl(root, id));
}
