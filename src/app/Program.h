#pragma once

#include "ItemState.h"
#include "Session.h"
#include "SettingsStore.h"

#include <memory>

class TAboutForm;
class TDM;
class TMainForm;
class TNameForm;
class TNoteForm;
class TOptionsForm;
class TReviewForm;
class TScoreForm;
class TProgressForm;
class TSamplerForm;
class TTestForm;

// Every window and the data module, created once in their fixed order and kept until the end.
class Program {
public:
    explicit Program(const QString& programFolder);
    ~Program();

    Session& session() { return m_session; }
    ItemStates& itemStates() { return m_itemStates; }

    TMainForm* MainForm = nullptr;
    TTestForm* TestForm = nullptr;
    TProgressForm* ProgressForm = nullptr;
    TScoreForm* ScoreForm = nullptr;
    TNameForm* NameForm = nullptr;
    TReviewForm* ReviewForm = nullptr;
    TNoteForm* NoteForm = nullptr;
    TOptionsForm* OptionsForm = nullptr;
    TDM* DM = nullptr;
    TAboutForm* AboutForm = nullptr;
    TSamplerForm* SamplerForm = nullptr;

private:
    Session m_session;
    ItemStates m_itemStates;
    SettingsStore m_settingsStore;
    std::unique_ptr<TDM> m_dm;
};
