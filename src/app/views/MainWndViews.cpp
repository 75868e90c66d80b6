// CMainWnd's date navigation commands, run by its pages: Goto Today, Goto This Day, Goto ...
#include "ViewPages.h"
#include "shell/MainWnd.h"

namespace tv {

bool CMainWnd::IsGotoAvailable(int commandId) {
    const CViewPages* pages = CViewPages::Of(Instance());
    return pages && pages->isGotoEnabled(commandId);
}

void CMainWnd::gotoToday() {
    if (CViewPages* pages = CViewPages::Of(this)) pages->gotoToday();
}

void CMainWnd::gotoThisDay() {
    if (CViewPages* pages = CViewPages::Of(this)) pages->gotoThisDay();
}

void CMainWnd::gotoDate() {
    if (CViewPages* pages = CViewPages::Of(this)) pages->gotoChosenDate();
}

}  // namespace tv
