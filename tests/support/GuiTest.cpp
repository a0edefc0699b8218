#include "GuiTest.h"

#include "ChooserDialogs.h"
#include "PrintDialog.h"
#include "Prompt.h"

void GuiTest::enterTestMode()
{
    Prompt::setNextAnswers({});
    PrintDialog::setNextAnswers({});
    // A chooser nobody expected is cancelled rather than shown.
    ChooserDialogs::setNextFont(std::nullopt);
    ChooserDialogs::setNextProgram(QString());
    ChooserDialogs::setNextFileToSave(QString());
}

void GuiTest::resetHooks()
{
    Prompt::resetTestMode();
    PrintDialog::resetTestMode();
    ChooserDialogs::resetTestMode();
}

void GuiTest::init()
{
    enterTestMode();
}

void GuiTest::cleanup()
{
    m_driver.reset();
    resetHooks();
}
