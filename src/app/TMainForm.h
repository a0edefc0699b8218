#pragma once

#include <QWidget>

class Session;
class TDM;
class TSamplerForm;
class TTestForm;

namespace Ui {
class TMainForm;
}

// The start window, the program's main window: from here the candidate goes to the test window
// or to the Test Sampler, or ends the program.
class TMainForm : public QWidget {
    Q_OBJECT

public:
    // `programFolder` holds the table files; it becomes the session's data folder.
    TMainForm(Session& session, const QString& programFolder, QWidget* parent = nullptr);
    ~TMainForm() override;

    void setTestForm(TTestForm* testForm);
    void setSampler(TSamplerForm* sampler, TDM* dm);

    void StartTestBtnClick();
    void SamplerBtnClick();
    void fcShapeBtn3Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Session& m_session;
    TTestForm* m_testForm = nullptr;
    TSamplerForm* m_sampler = nullptr;
    TDM* m_dm = nullptr;

    Ui::TMainForm* ui;
};
