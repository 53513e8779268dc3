#pragma once

#include <QString>

#include <functional>

class QWidget;

// The file dialogs of the program, replaceable by tests so none blocks.
class FileDialogs
{
public:
    enum Mode
    {
        Open,
        Save
    };
    struct Request
    {
        Mode mode;
        QString caption;
        QString filter;        // "Name (*.ext);;All (*)"
        QString defaultSuffix; // without the dot
        QString initialPath;
        QString selectedFilter; // one of filter's, shown first; empty: the first
    };
    // The chosen path, or empty when cancelled.
    static QString Ask(const Request &request, QWidget *parent = nullptr);

    using Answerer = std::function<QString(const Request &)>;
    static void SetAnswerer(Answerer answerer);
};
