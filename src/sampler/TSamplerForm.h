#pragma once

#include <QMainWindow>

#include <array>

class DBCheckBox;
class DBEdit;
class TAboutForm;
class TDM;

namespace Ui {
class TSamplerForm;
}

// The Test Sampler: the editor of the candidate's personal question set.
//
// The window keeps no state of its own: header, status bar and buttons follow the state of the
// data module's personal table through its data source. Type and section are not bound to the
// table; they are shown in two selectors and written back by Save only.
class TSamplerForm : public QMainWindow {
    Q_OBJECT

public:
    explicit TSamplerForm(TDM& dm, QWidget* parent = nullptr);
    ~TSamplerForm() override;

    void setAboutForm(TAboutForm* about) { m_about = about; }

    // The opening steps the start window runs around opening the personal table.
    void FillSectionList();
    void ShowFirstPage();

    // Enables or disables the item commands, the item list and the navigator.
    void EnableActions(bool Value);

    // Handlers of the commands and controls.
    void AddActExecute();
    void EditActExecute();
    void DelActExecute();
    void Emptyquestionset1Click();
    void BitBtn1Click();
    void BitBtn2Click();
    void Exit1Click();
    void About1Click();
    void ComboBox1Change();
    void ListBox1Click();
    void TabSheet2Enter();
    void PageControl1Resize();

    // The entries of the type selector; the first is a single-response item.
    static QString singleResponseText();
    static QString multipleResponseText();

signals:
    // The window has closed; the start window shows again.
    void formClosed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The commands' handlers, and the names and size of the toolbar's own buttons.
    void connectCommands();
    // What the form cannot say: pixel fonts, outlined text, style icons, computed places.
    void finishControls();
    // Bindings to the personal table, and the handlers of the controls.
    void bindControls();

    void FormCreate();
    bool FormCloseQuery();
    void FormClose();
    void dsUserSetStateChange();
    void dsUserSetDataChange(const QString& fieldName);

    // The section picked in the section list, 1 to 7, or 0 when none is.
    int selectedSection() const;
    void showSection(int section);
    // The item list and the navigator: enabled by EnableActions, and never while a new item
    // is pending, so that a new item is stored by Save only (which gives it its section).
    void updateMoveControls();
    // After a command failed to start: its disabled controls come back.
    void recoverActions();
    void focusEntersPage(QWidget* old, QWidget* now);

    TDM& m_dm;
    Ui::TSamplerForm* ui;
    TAboutForm* m_about = nullptr;
    bool m_moveControlsEnabled = true;
    bool m_showingRecord = false; // selectors set from the table, not by the candidate
    Qt::FocusReason m_lastFocusReason = Qt::OtherFocusReason;
    QMetaObject::Connection m_focusWatch;

    // The rows of the choices page: a key mark and a choice text each.
    std::array<DBCheckBox*, 6> m_keyBoxes;
    std::array<DBEdit*, 6> m_choiceEdits;
};
