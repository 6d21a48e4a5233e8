#include "optimizer/core/services/service_catalogue.h"

#include <windows.h>

namespace {

// The segments are kept verbatim, typos and skipped numbers included: only the key names that
// happen to occur in this text are matched, so any edit changes which services are listed.
const wchar_t* const kSegments[] = {
    L"xp1.alerter,2.Application Layer Gateway Service,",
    L"3.ClipBook, 4.COM+ System Application,5.Distributed Link Tracking Client,",
    L"6.Distributed Transaction Coordinator,7.Error Reporting Service 8.Help and Support,",
    L"9.HTTP SSL, 10.Human Interface Device Access,11.IMAPI CD-Burning COM Service,",
    L"12.Indexing Service,13.IPSEC Services, 14.Messenger,",
    L"15.MS Software Shadow Copy Provider,16.Net Logon,",
    L"17.NetMeeting Remote Desktop Sharing,18.Network DDE,",
    L"19.Network DDE DSDM,20.NT LM Security Support Provider,",
    L"22.QoS RSVP,23.Remote Access Auto Connection Manager,",
    L"24.Remote Desktop Help Session Manager,25.Remote Procedure Call (RPC) Locator,",
    L"26.Remote Registry,28.Routing and Remote Access,29.Security Center,",
    L"30.Server, 31.Shell Hardware Detection,32.Telnet,",
    L"\u81ea\u52a8\u5347\u7ea7win7#1.Adaptive brightness,,2.Application Layer Gateway Service,",
    L"3.Application Management,4.Base Filtering Engine,5.BitLocker Drive Encryption Service,",
    L"6.Block Level Backup Engine Service,7.Diagnostic Policy Service,",
    L"8.Diagnostic Service Host,9.Diagnostic System Host,10.Distributed Link Tracking Client,",
    L"11.Fax,12.Function Discovery Provider Host,13.Function Discovery Resource Publication,",
    L"14.HomeGroup Listener,15.HomeGroup Provider,16.Internet Connection Sharing (ICS),",
    L"17.IP Helper,18.Microsoft iSCSI Initiator Service,19.Microsoft Software Shadow Copy Provider,",
    L"21.Offline Files,22.Parental Controls,24.PnP-X IP Bus Enumerator,",
    L"25.PNRP Machine Name Publication Service,26.Portable Device Enumerator Service,",
    L"28.Problem Reports and Solutions Control Panel Support,",
    L"29.Quality Windows Audio Video Experience,30.Remote Desktop Configuration,",
    L"31.Secondary Logon,32.Security Center,34.Shell Hardware Detection,35.Smart Card/ Smart Card Removal Policy",
    L"37.SSDP Discovery,38.Tablet PC Input Service,40.TPM Base Services,",
    L"41.WebClient,42.Windows Backup,43.Windows CardSpace,44.Windows Error Reporting Service,",
    L"45.Windows Image Acquisition (WIA),46.Windows Media Center Service Launcher/ Windows Media Center "
    L"Receiver Service / Windows Media Center Scheduler Service,",
};

const wchar_t kSeparator[] = L"\t\t\t\t\t\t\t ";

// "更新" (update), "升级" (upgrade), "update".
const wchar_t* const kKeywords[] = {L"\u66f4\u65b0", L"\u5347\u7ea7", L"update"};

std::wstring BuildCatalogue() {
    std::wstring text;
    for (const wchar_t* segment : kSegments) {
        text += segment;
        text += kSeparator;
    }
    return text;
}

}  // namespace

const std::wstring& ServiceCatalogueText() {
    static const std::wstring text = BuildCatalogue();
    return text;
}

void UpperCaseInPlace(std::wstring& text) {
    if (!text.empty()) ::CharUpperBuffW(&text[0], static_cast<DWORD>(text.size()));
}

bool NameInCatalogue(const std::wstring& upperCatalogue, const std::wstring& keyName) {
    // An empty name would occur in any text; real key names are never empty.
    if (keyName.empty()) return false;
    std::wstring upperName = keyName;
    UpperCaseInPlace(upperName);
    return upperCatalogue.find(upperName) != std::wstring::npos;
}

bool HasUpdateKeyword(const std::wstring& text) {
    for (const wchar_t* keyword : kKeywords) {
        if (text.find(keyword) != std::wstring::npos) return true;
    }
    return false;
}

bool IsListedService(const std::wstring& upperCatalogue, const std::wstring& keyName, const std::wstring& description) {
    return NameInCatalogue(upperCatalogue, keyName) || HasUpdateKeyword(keyName) || HasUpdateKeyword(description);
}
