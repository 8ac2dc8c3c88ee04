// What the button and the key assignment pages share: a drop-down per
// control, filled with the functions that control accepts, showing the
// control's assignment, and a choice in it turned into a record through
// AssignmentRules, with the popups it needs.
#pragma once
#include <vector>

#include "AssignmentRules.h"
#include "DropdownListItem.h"
#include "ListPanel.h"
#include "MacroAssignment.h"
#include "PageModule.h"

class CAssignPageBase : public CPageModule, protected AssignPrompts, protected MacroAssignPrompts {
public:
    // The page's controls are the buttons from firstButton to lastButton
    // (device numbers), bound from the page list `listIndex`.
    CAssignPageBase(IPageHost& host, int pageMask, int listIndex, int firstButton, int lastButton);

    void Bind(const PageLists& lists) override;
    void Fill() override { UpdateAssignmentTexts(); }
    void Refresh() override { UpdateAssignmentTexts(); }
    bool OnWidgetMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    // Every drop-down of the page from the active profile's records.
    void UpdateAssignmentTexts();

    // The drop-down of a device button number (null when the page has none).
    CDropdownListItem* DropdownOf(int button) const;
    // The page's thumb-grid layout: the configuration's own value.
    int& Layout();

protected:
    struct Control {
        int button = 0;
        CDropdownListItem* box = nullptr;
        std::vector<int> skinFunctions;  // the skin's menu, as function ids
    };

    AssignmentRules Rules() { return AssignmentRules(*m_host.Config(), Layout()); }
    void ApplyChoice(const Control& control);
    void RefillSubMenus();
    void FillMenu(const Control& control);

    // AssignPrompts
    void NoClickWarning() override;
    bool SingleKey(SingleKeyResult& result) override;
    bool AssignMacro(AssignmentRecord& record, const CString& preselect) override;
    // MacroAssignPrompts
    bool ChooseMacro(MacroChoice& choice) override;
    bool AskRepeatCount(int& count) override;
    void RepeatCountWarning() override;

    std::vector<Control> m_controls;
    CListPanelItem* m_profileMenu = nullptr;  // LISTPANEL_ASSIGNSUBMENU_PR
    CListPanelItem* m_macroMenu = nullptr;    // LISTPANEL_ASSIGNSUBMENU_MA

private:
    int m_listIndex;
    int m_firstButton;
    int m_lastButton;
    int m_ownLayout = 0;  // when the configuration is not the program's own kind
};

// Tests answer the repeat-count question in place of the modal popup
// (false: cancelled); null restores the popup.
using RepeatCountRunner = bool (*)(CWnd* owner, int& count);
void SetRepeatCountRunner(RepeatCountRunner runner);
