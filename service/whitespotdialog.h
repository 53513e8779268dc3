#pragma once

#include "camera/whitespotdetection.h"

#include "servicedialog.h"
#include <QTimer>

class CZQB40Doc;
class QLabel;
class QPlainTextEdit;
class QRadioButton;
class QScrollBar;

// "WHITE SPOT DETECT MENU" (dialog 130), modeless: the detection threshold,
// a detection followed by polling until the camera reports its outcome, and
// the list of the spots it found. Settings change only through the
// document's value operations. Closing hides it; a hidden dialog goes on
// polling until its detection ends or the document replaces it.
class WhiteSpotDialog : public ServiceDialog
{
    Q_OBJECT
public:
    explicit WhiteSpotDialog(CZQB40Doc *doc, QWidget *parent = nullptr);

    void StartDetection();
    void PollDetection();
    void ListAddresses();
    bool IsPolling() const { return m_pollTimer.isActive(); }

private:
    void OnThreshold(int action);
    void SendThreshold(int position);
    void ShowOutcome(const QString &text);

    CZQB40Doc *m_pDoc;
    QTimer m_pollTimer;
    WhiteSpotDetection m_detection;
    // A poll, or a box it opened, is still under way: later ticks wait.
    bool m_polling = false;
    QScrollBar *m_slider = nullptr;
    QLabel *m_readout = nullptr;
    QPlainTextEdit *m_list = nullptr;
    QRadioButton *m_off = nullptr;
    QRadioButton *m_on = nullptr;
};
