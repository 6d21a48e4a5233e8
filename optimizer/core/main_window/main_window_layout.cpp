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

std::vector<const wchar_t*> MouseTargets(int page, bool gameMode, bool pageFileWarning) {
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

bool IsWebAddress(const std::string& url) {
    auto startsWith = [&](const char* scheme) { return ::_strnicmp(url.c_str(), scheme, std::strlen(scheme)) == 0; };
    return startsWith("http://") || startsWith("https://");
}
