#pragma once

#include "camera/cameraprobe.h"
#include "comm/channelspec.h"

#include <QDialog>
#include <QString>

class QAbstractButton;
class QButtonGroup;
class QComboBox;
class QLineEdit;

// "Select Communication System": the user picks a COM port and its baud
// rate, or a frame grabber's Camera Link serial library with one of its
// serial ports (and its rate, where the library can set one). The dialog
// only collects the choice; the application opens the channel with it.
class CommSetupDialog : public QDialog
{
    Q_OBJECT
public:
    // preselectPort 1..10 selects that COM button at the start (the port
    // used last time); anything else starts on COM 1.
    explicit CommSetupDialog(QWidget *parent = nullptr, int preselectPort = 0);

    bool m_opened = false;
    bool m_browsing = false;
    int m_system = 0;     // 0 COM port, 1 Camera Link board
    int m_portChoice = 0; // 0..9 COM 1..COM10, 10 Euresys, 11 Matrox, 12 Other Factory
    int m_baudChoice = 0; // 0 " 9600", 1 "115200"
    QString m_libraryPath;
    int m_grabberPort = 0;     // the grabber's serial port, 0 the first
    int m_grabberBaudRate = 0; // 0: the library cannot set one; its port keeps its rate

    void OnPortClicked(int choice);
    void OnBrowse();
    void OnOpen();
    // Probes the ports for cameras and chooses the one that answered.
    void OnSearch();
    // The library file the board choice stands for.
    QString LibraryFile() const;
    // The channel chosen, from the members above: what the application opens.
    ChannelSpec Channel() const;

    QAbstractButton *PortButton(int choice) const;
    // "COM n" with the device behind it, and whether that device exists.
    static QString PortToolTip(int portNumber);

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void ShowData();
    void SetBaudEnabled(bool enabled);
    void SetLibraryEnabled(bool enabled);
    void ChooseDevice(int portNumber, const QPoint &globalPos);
    void UpdateToolTips();
    void ChooseFound(const CameraProbe::Found &camera,
                     const QList<CameraProbe::Channel> &searched);
    // Asks the chosen library for its ports, and the chosen port for its rates.
    void ShowGrabberPorts();
    void ShowGrabberRates();
    static QString PortSettingsKey(const QString &library);

    QButtonGroup *m_ports = nullptr;
    QButtonGroup *m_bauds = nullptr;
    QLineEdit *m_path = nullptr;
    QComboBox *m_grabberPorts = nullptr;
    QList<int> m_grabberRates; // the rates the chosen port takes; empty: none can be set
};
