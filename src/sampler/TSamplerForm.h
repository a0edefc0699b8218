#pragma once

#include <QMainWindow>

class TAboutForm;
class TDM;

// The Test Sampler: the editor of the candidate's personal question set.
class TSamplerForm : public QMainWindow {
    Q_OBJECT

public:
    explicit TSamplerForm(TDM& dm, QWidget* parent = nullptr);

    void setAboutForm(TAboutForm* about) { m_about = about; }

    // The opening steps the start window runs around opening the personal table.
    void FillSectionList();
    void ShowFirstPage();

signals:
    // The window has closed; the start window shows again.
    void formClosed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    TDM& m_dm;
    TAboutForm* m_about = nullptr;
};
