#include "Program.h"

#include "TAboutForm.h"
#include "TDM.h"
#include "TMainForm.h"
#include "TNameForm.h"
#include "TNoteForm.h"
#include "TOptionsForm.h"
#include "TProgressForm.h"
#include "TReviewForm.h"
#include "TSamplerForm.h"
#include "TScoreForm.h"
#include "TTestForm.h"

Program::Program(const QString& programFolder)
{
    MainForm = new TMainForm(m_session, programFolder);
    TestForm = new TTestForm(m_session, m_itemStates, m_settingsStore);
    ProgressForm = new TProgressForm;
    ScoreForm = new TScoreForm;
    NameForm = new TNameForm;
    ReviewForm = new TReviewForm;
    NoteForm = new TNoteForm;
    OptionsForm = new TOptionsForm;
    m_dm = std::make_unique<TDM>(m_session);
    DM = m_dm.get();
    AboutForm = new TAboutForm;
    SamplerForm = new TSamplerForm(*DM);

    MainForm->setTestForm(TestForm);
    MainForm->setSampler(SamplerForm, DM);
    SamplerForm->setAboutForm(AboutForm);
    TestForm->setWindows(
        {ProgressForm, ScoreForm, NameForm, ReviewForm, NoteForm, OptionsForm, AboutForm});
}

Program::~Program()
{
    // Windows first: they hold the tables' cursors and connections.
    delete SamplerForm;
    delete TestForm;
    delete ProgressForm;
    delete NameForm;
    delete ScoreForm;
    delete ReviewForm;
    delete NoteForm;
    delete OptionsForm;
    delete AboutForm;
    m_dm.reset();
    delete MainForm;
}
