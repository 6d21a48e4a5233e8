#include "optimizer/core/main_window/main_window_layout.h"

#include <cstring>

RECT ProcessPaneRect(const RECT& client, bool pageFileWarning) {
    const int top = client.top + (pageFileWarning ? 286 : 266);
    const int height = pageFileWarning ? 165 : 185;
    return {client.left + 7, top, client.left + 7 + 638, top + height};
}

RECT WebPaneRect(const RECT& client) {
    return {client.left + 7, client.top + 83, client.right - 7, client.bottom - 4};
}

namespace {

std::vector<const wchar_t*> ListMouseTargets(int page, bool gameMode, bool pageFileWarning) {
    std::vector<const wchar_t*> names = {L"SysCloseBtn", L"MainTabUI", L"SysMinBtn"};
    if (page == 0) {
        names.push_back(gameMode ? L"CancelBoostBtn" : L"BeginBoostBtn");
        names.push_back(L"BeginMemoryBtn");
        if (pageFileWarning)
            names.push_back(L"VirtualMemoryLink");
    } else if (page == 1) {
        names.insert(names.end(), {L"FlashLink", L"CancelSpeedBtn", L"RestartSpeedBtn", L"SpeedFailedBtn",
                                   L"BeginRepairBtn", L"EndRepairBtn", L"RepairSateLink", L"NetWorkSpeedProgress1",
                                   L"NetWorkSpeedProgress2", L"RepairProgressBarCtrl", L"ReRepairBtn"});
    }
    return names;
}

}  // namespace

const std::vector<const wchar_t*>& MouseTargets(int page, bool gameMode, bool pageFileWarning) {
    // Asked on every message the window receives: each state's list is made once.
    static const std::vector<const wchar_t*> gamePage[2][2] = {
        {ListMouseTargets(0, false, false), ListMouseTargets(0, false, true)},
        {ListMouseTargets(0, true, false), ListMouseTargets(0, true, true)}};
    static const std::vector<const wchar_t*> speedPage = ListMouseTargets(1, false, false);
    static const std::vector<const wchar_t*> framed = ListMouseTargets(2, false, false);
    if (page == 0)
        return gamePage[gameMode][pageFileWarning];
    return page == 1 ? speedPage : framed;
}

bool IsWebAddress(const std::string& url) {
    auto startsWith = [&](const char* scheme) { return ::_strnicmp(url.c_str(), scheme, std::strlen(scheme)) == 0; };
    return startsWith("http://") || startsWith("https://");
}
