#include "skin/files/skin_manage.h"

#include "skin/files/skin_paths.h"

#include <windows.h>

void CSkinManage::Start(const std::wstring& programFolder) {
    m_programFolder = programFolder;
    m_skinFolder = UpdaterSkinFolder(programFolder, ReadUpdaterSkinName(programFolder));
    m_images.Load(m_skinFolder);
    m_frame = ReadFrameSkin(m_skinFolder + L"mainform.ini");
}

void CSkinManage::Start() { Start(::ProgramFolder()); }

void CSkinManage::Teardown() {
    m_programFolder.clear();
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD n = ::GetTempPathW(MAX_PATH + 1, temp);
    if (n > 0 && n <= MAX_PATH) ::DeleteFileW((std::wstring(temp) + L"varnio.ini").c_str());
    m_images.Clear();
}
