// Where each program finds its skin. All paths are wide; folders named "...Folder" end in a backslash
// except ProgramFolder, which does not (the module path up to, not including, its last backslash).
#pragma once
#include <string>

// Folder of the running executable, without the trailing backslash; empty if the module path fails.
std::wstring ProgramFolder();

// The optimizer's one fixed skin: program folder + "\Sk_sv\".
std::wstring OptimizerSkinFolder(const std::wstring& programFolder);

// The updater's skin: program folder + "\Skin\" + skin name + "\Movrel\".
std::wstring UpdaterSkinFolder(const std::wstring& programFolder, const std::wstring& skinName);

// Skin name from programFolder + "\varnio.ini", section "SkinConfig", key "Skin"; "Chrome" when missing.
std::wstring ReadUpdaterSkinName(const std::wstring& programFolder);
