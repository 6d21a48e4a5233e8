// CSkinManage: the updater's skin start-up and teardown. Owns the skin's image table and frame
// settings for the whole run; window thread only; needs a live GDI+ session while loaded.
#pragma once
#include "skin/files/frame_skin.h"
#include "skin/files/image_list.h"

#include <string>

class CSkinManage {
public:
    // Reads the skin name from programFolder + "\varnio.ini" (default "Chrome"), loads the image table
    // and "mainform.ini"'s frame settings from its folder. Never fails: a missing skin loads nothing.
    void Start(const std::wstring& programFolder);
    // Start() with the running executable's folder.
    void Start();
    // Forgets the program folder, deletes "varnio.ini" in the user's temporary folder, frees the images.
    void Teardown();

    const std::wstring& ProgramFolder() const { return m_programFolder; }
    const std::wstring& SkinFolder() const { return m_skinFolder; }  // ends in a backslash
    SkinImageList& Images() { return m_images; }
    const FrameSkin& Frame() const { return m_frame; }

private:
    std::wstring m_programFolder;
    std::wstring m_skinFolder;
    SkinImageList m_images;
    FrameSkin m_frame;
};
