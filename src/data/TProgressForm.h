#pragma once

#include "BuildProgress.h"

#include <QWidget>

class QProgressBar;

// The small window that shows while an exam set is built.
class TProgressForm : public QWidget, public BuildProgress {
    Q_OBJECT

public:
    explicit TProgressForm(QWidget* parent = nullptr);

    void buildStarted() override;
    void setMaximum(int maximum) override;
    void setPosition(int position) override;
    void buildFinished() override;

private:
    void paintNow();

    QProgressBar* ProgressBar1;
    int m_shownPercent = -1;
};
