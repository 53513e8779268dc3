#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QAbstractButton;

// One tab stop for each run of radio buttons: the one with the focus, else
// the chosen one, else the first usable one. The arrow keys move inside the
// run's button group. A group may hold several runs (the setup dialog's port
// and board buttons), which the buttons' own focus handling would merge
// into one stop, so the stops are set again before every Tab.
class RadioTabStops : public QObject
{
    Q_OBJECT
public:
    explicit RadioTabStops(QObject *parent = nullptr);

    void AddRun(const QList<QAbstractButton *> &run);
    void Apply();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QList<QList<QPointer<QAbstractButton>>> m_runs;
};
