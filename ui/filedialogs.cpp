#include "filedialogs.h"

#include <QFileDialog>

namespace {
FileDialogs::Answerer &TheAnswerer()
{
    static FileDialogs::Answerer answerer;
    return answerer;
}
} // namespace

QString FileDialogs::Ask(const Request &request, QWidget *parent)
{
    if (TheAnswerer())
        return TheAnswerer()(request);
    QFileDialog dialog(parent, request.caption, request.initialPath, request.filter);
    dialog.setAcceptMode(request.mode == Open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(request.mode == Open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.selectedFilter.isEmpty())
        dialog.selectNameFilter(request.selectedFilter);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

void FileDialogs::SetAnswerer(Answerer answerer)
{
    TheAnswerer() = std::move(answerer);
}
