#pragma once

#include "ui/sliderrules.h"

#include <QByteArray>
#include <QString>
#include <QWidget>

class CZQB40Doc;
class QAbstractButton;
class QAbstractSlider;

// The control panel: every camera setting on one form. It keeps no copy of
// the values: a refresh brings every control in line with theCamera, and
// each change on it is one write through the document.
class CZQB40View : public QWidget
{
    Q_OBJECT
public:
    // Scroll codes, as the handlers reason about slider movements.
    enum ScrollCode
    {
        LineUp = SliderRules::LineUp,
        LineDown = SliderRules::LineDown,
        PageUp = SliderRules::PageUp,
        PageDown = SliderRules::PageDown,
        ThumbPosition = SliderRules::ThumbPosition,
        ThumbTrack = SliderRules::ThumbTrack,
        Top = SliderRules::Top,
        Bottom = SliderRules::Bottom,
        EndScroll = SliderRules::EndScroll
    };

    explicit CZQB40View(CZQB40Doc *doc, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    void InitPanel();
    void RefreshPanel();

    // Value display and slider mapping.
    void ShowValue(int param, int sliderId, int readoutId, int value);
    void OnSlider(int code, int thumbPosition, QAbstractSlider *slider);
    void UpdateEnables(int controlId);

    // Handlers.
    void ApplyChoice(int param, int value, QAbstractButton *button);
    void OnScanSlider(int code, int thumbPosition, QAbstractSlider *slider);
    void OnFactorySet();
    void OnDetect();
    void OnDigitsChoice();
    // The serial-number service (its controls stay hidden).
    void OnWriteSerial();
    void OnSerialSpin(int delta);
    void OnReadAndReset();

    // Read-outs.
    void ShowCameraInfo();
    void ShowScanTiming();


    QByteArray m_modelName;
    QString m_serialEntry;
    QByteArray m_serialNumber;
    QByteArray m_version;
    QByteArray m_vendorName;
    qint32 m_eightDigits = 1;

private:
    QWidget *Ctl(int id) const;
    void Enable(std::initializer_list<int> ids, bool enabled);
    bool IsOn(int id) const;
    void SetGroup(const struct RadioChoice *choices, int count, int group, int value);
    void ConnectControls();
    void ConnectSerialControls();
    void OnSliderAction(QAbstractSlider *slider, int action);
    // The position a scroll code asks for; false for the codes that send nothing.
    static bool NextPosition(int code, int thumbPosition, const QAbstractSlider *slider, int *next);

    CZQB40Doc *m_doc;
    QSize m_layoutSize;
    int m_thumbTrack = 0; // where a dragged thumb was last, for its release
};
