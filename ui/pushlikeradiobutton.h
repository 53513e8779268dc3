#pragma once

#include <QRadioButton>

// A radio button drawn as a push button that stays pressed while chosen,
// with its caption centred. It is still a radio button to the keyboard and
// to assistive tools, named by its caption.
class PushLikeRadioButton : public QRadioButton
{
    Q_OBJECT
public:
    explicit PushLikeRadioButton(const QString &text, QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &pos) const override;
};
